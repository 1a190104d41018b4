#include "bookfingerprint.h"

#include <QCryptographicHash>
#include <QFile>
#include <QList>

namespace {

struct Block
{
    qint64 start;
    qint64 length;
};

// The head, the middle and the tail. The blocks of a short file would overlap, so such a
// file is read whole as one block.
QList<Block> sampledBlocks(qint64 size)
{
    constexpr qint64 block = BookFingerprint::BlockSize;
    if (size <= 3 * block)
        return { { 0, size } };
    return { { 0, block }, { size / 2 - block / 2, block }, { size - block, block } };
}

bool addBlock(QFile &file, const Block &block, QCryptographicHash &hash)
{
    if (!file.seek(block.start))
        return false;
    const QByteArray bytes = file.read(block.length);
    if (bytes.size() != block.length)
        return false;
    hash.addData(bytes);
    return true;
}

}

BookFingerprint::BookFingerprint(qint64 size, const QByteArray &hash)
    : m_size(size)
    , m_hash(hash)
{
}

BookFingerprint BookFingerprint::ofFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    QCryptographicHash hash(QCryptographicHash::Blake2b_160);
    for (const Block &block : sampledBlocks(size)) {
        if (!addBlock(file, block, hash))
            return {};
    }
    return BookFingerprint(size, hash.result());
}

BookFingerprint BookFingerprint::ofBytes(QByteArrayView bytes)
{
    QCryptographicHash hash(QCryptographicHash::Blake2b_160);
    for (const Block &block : sampledBlocks(bytes.size()))
        hash.addData(bytes.sliced(block.start, block.length));
    return BookFingerprint(bytes.size(), hash.result());
}
