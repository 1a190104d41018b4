#include "bookfilereader.h"

#include "readinglogging.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

BookFileReader::Result failure(const QString &reason)
{
    return { {}, reason, false };
}

BookFileReader::Result cannotOpen(const QString &filePath, const QString &reason)
{
    qCWarning(lcReading) << "Cannot open file:" << filePath;
    return failure(reason);
}

// The path was checked before it was opened, but it may have been swapped for a pipe or a
// device in between; the open descriptor tells what was really opened. Resources have none.
bool isRegularOpenFile(const QFile &file)
{
    struct stat status;
    return file.handle() < 0 || (::fstat(file.handle(), &status) == 0 && S_ISREG(status.st_mode));
}

}

BookFileReader::BookFileReader(qint64 maxSize, qint64 chunkSize)
    : m_maxSize(maxSize)
    , m_chunkSize(chunkSize)
{
}

QString BookFileReader::whyNotOpenable(const QString &filePath)
{
    const QFileInfo info(filePath);
    if (!info.exists())
        return tr("文件不存在。");
    if (info.isDir())
        return tr("这是一个文件夹，不是文件。");
    if (!info.isFile())
        return notRegularFileText();
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return file.error() == QFileDevice::PermissionsError ? tr("没有读取这个文件的权限。")
                                                               : tr("无法打开这个文件。");
    return {};
}

BookFileReader::Result BookFileReader::read(const QString &filePath, const Cancelled &isCancelled) const
{
    const QFileInfo info(filePath);
    if (!info.exists())
        return cannotOpen(filePath, tr("文件不存在。"));
    if (info.isDir())
        return cannotOpen(filePath, tr("这是一个文件夹，不是文件。"));
    if (!info.isFile())
        return cannotOpen(filePath, notRegularFileText());

    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        return cannotOpen(filePath, file.error() == QFileDevice::PermissionsError
                                            ? tr("没有读取这个文件的权限。")
                                            : tr("无法打开这个文件。"));
    }
    if (!isRegularOpenFile(file))
        return cannotOpen(filePath, notRegularFileText());

    // What the file system reports is only a hint: the read itself enforces the limit.
    const qint64 reportedSize = file.size();
    if (reportedSize > m_maxSize) {
        qCWarning(lcReading) << "File too large:" << filePath << reportedSize << "bytes";
        return failure(sizeLimitText());
    }

    // Room for the whole file and the last, empty read past its end, so the bytes are never
    // moved while a large book is read.
    QByteArray bytes;
    bytes.reserve(reportedSize + m_chunkSize);
    for (;;) {
        if (isCancelled && isCancelled())
            return { {}, {}, true };
        // One byte more than the limit allows tells a file just at the limit from a longer one.
        const qint64 chunk = qMin(m_chunkSize, m_maxSize + 1 - bytes.size());
        const qsizetype filled = bytes.size();
        bytes.resize(filled + chunk);
        const qint64 count = file.read(bytes.data() + filled, chunk);
        if (count < 0) {
            qCWarning(lcReading) << "Cannot read file:" << filePath << file.errorString();
            return failure(tr("读取文件时出错。"));
        }
        bytes.resize(filled + count);
        if (count == 0)
            break;
        if (bytes.size() > m_maxSize) {
            qCWarning(lcReading) << "File too large:" << filePath << "more than" << m_maxSize << "bytes";
            return failure(sizeLimitText());
        }
    }

    if (reportedSize > 0 && bytes.size() != reportedSize) {
        qCWarning(lcReading) << "File changed while read:" << filePath << reportedSize << "bytes before,"
                   << bytes.size() << "read";
        return failure(tr("文件在读取时被改动了，请稍后再打开。"));
    }
    if (bytes.isEmpty())
        return failure(tr("文件是空的。"));
    return { bytes, {}, false };
}

BookFileReader::Result BookFileReader::readPart(const QString &filePath, qint64 offset,
                                               qint64 length, qint64 *fileSize)
{
    QFile file(filePath);
    if (!QFileInfo(filePath).isFile() || !file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return failure(tr("无法打开这个文件。"));
    if (!isRegularOpenFile(file))
        return failure(notRegularFileText());
    *fileSize = file.size();
    if (!file.seek(offset))
        return failure(tr("读取文件时出错。"));
    QByteArray bytes = file.read(length);
    if (bytes.isEmpty() && length > 0)
        return failure(tr("读取文件时出错。"));
    return { bytes, {}, false };
}

QString BookFileReader::notRegularFileText()
{
    return tr("这不是普通文件（而是设备、管道或其他特殊文件），无法作为书打开。");
}

QString BookFileReader::sizeLimitText() const
{
    return tr("文件太大（超过 %1 MB），无法打开。").arg(m_maxSize >> 20);
}
