#include "fileloader.h"

#include "bookdecoder.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>

namespace {

// Enough text for the first few pages, cut before anything else; then waves large enough
// for both cores to share.
constexpr qsizetype FirstWaveLength = 16 * 1024;
constexpr qsizetype WaveLength = 2 * 1024 * 1024;

}

struct FileLoader::Task
{
    quint64 id;
    QString filePath;
    PageFormat format;
    QElapsedTimer timer;
    std::shared_ptr<std::atomic<quint64>> latestTask;

    bool isSuperseded() const { return latestTask->load() != id; }
};

FileLoader::FileLoader(QObject *parent)
    : QObject(parent)
    , m_latestTask(std::make_shared<std::atomic<quint64>>(0))
{
}

FileLoader::~FileLoader()
{
    // Stop every task at its next check; the pool's destructor then waits for them.
    ++*m_latestTask;
    m_pool.waitForDone();
    m_measuringPool.waitForDone();
}

void FileLoader::loadFile(const QString &filePath, const PageFormat &format)
{
    m_pool.start([this, task = newTask(filePath, format)] { runLoad(task); });
}

void FileLoader::repaginate(const std::vector<QString> &pages, const QString &filePath,
                            const PageFormat &format)
{
    m_pool.start([this, task = newTask(filePath, format), pages] { runRecut(task, pages); });
}

void FileLoader::cancel()
{
    ++*m_latestTask;
}

FileLoader::Task FileLoader::newTask(const QString &filePath, const PageFormat &format)
{
    Task task{ ++*m_latestTask, filePath, format, {}, m_latestTask };
    task.timer.start();
    return task;
}

void FileLoader::runLoad(const Task &task)
{
    post(task, [this] { emit loadProgress(10); });
    QString error;
    const QString text = readFile(task, &error);
    if (task.isSuperseded())
        return;
    if (text.isEmpty()) {
        qWarning() << "Failed to read file:" << task.filePath;
        post(task, [this, path = task.filePath, error] { emit loadFailed(path, error); });
        return;
    }
    post(task, [this] { emit loadProgress(60); });

    const std::vector<TextRun> pieces = Paginator::piecesOf(Paginator::paragraphsOf(text));
    post(task, [this] { emit loadProgress(80); });
    std::vector<QString> pages = cutProgressively(task, pieces);
    if (task.isSuperseded())
        return;
    post(task, [this] { emit loadProgress(100); });
    post(task, [this, pages = std::move(pages), path = task.filePath] {
        emit fileLoaded(pages, path);
    });
    qDebug() << "File loaded in" << task.timer.elapsed() << "ms";
}

// The first pages are cut on this thread from the head of the book and handed over at
// once; the rest is measured in parallel, a wave of text at a time, each wave's pages handed
// over as it is cut.
std::vector<QString> FileLoader::cutProgressively(const Task &task, const std::vector<TextRun> &pieces)
{
    const Paginator paginator(task.format, &m_measuringPool);
    const auto isSuperseded = [&task] { return task.isSuperseded(); };
    PageCutter cutter(paginator.pageHeight());
    size_t first = 0;
    qsizetype waveLength = FirstWaveLength;
    while (first < pieces.size() && !task.isSuperseded()) {
        size_t last = first;
        for (qsizetype length = 0; last < pieces.size() && length < waveLength; ++last)
            length += pieces[last].text.size();
        for (const TextRun &run : paginator.measure(pieces, first, last, isSuperseded))
            cutter.add(run);
        if (last < pieces.size() && !cutter.pages().empty())
            post(task, [this, pages = cutter.pages(), path = task.filePath] { emit pagesCut(pages, path); });
        first = last;
        waveLength = WaveLength;
    }
    cutter.finish();
    return cutter.takePages();
}

void FileLoader::runRecut(const Task &task, const std::vector<QString> &pages)
{
    const QString text = Paginator::textOf(pages);
    std::vector<QString> recut = Paginator(task.format, &m_measuringPool).paginate(Paginator::paragraphsOfPages(text), [&task] {
        return task.isSuperseded();
    });
    if (task.isSuperseded())
        return;
    post(task, [this, recut = std::move(recut), path = task.filePath] {
        emit pagesRecut(recut, path);
    });
    qDebug() << "Pages recut in" << task.timer.elapsed() << "ms";
}

QString FileLoader::readFile(const Task &task, QString *error)
{
    QFile file(task.filePath);
    if (QFileInfo(file).isDir() || !file.open(QIODevice::ReadOnly)) {
        qWarning() << "Cannot open file:" << task.filePath;
        *error = QFileInfo(file).isDir() ? tr("这是一个文件夹，不是文件。") : file.errorString();
        return {};
    }
    if (file.size() > MaxFileSize) {
        qWarning() << "File too large:" << task.filePath << file.size() << "bytes";
        *error = tr("文件太大（超过 %1 MB），无法打开。").arg(MaxFileSize >> 20);
        return {};
    }
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) {
        *error = file.error() == QFileDevice::NoError ? tr("文件是空的。") : file.errorString();
        return {};
    }
    return BookDecoder::decode(bytes).text;
}

// Signals are emitted on the loader's own thread. Nothing of a task that has been superseded
// (or whose loader is being destroyed) is emitted, also when it was posted just before.
void FileLoader::post(const Task &task, std::function<void()> emission)
{
    if (task.isSuperseded())
        return;
    QMetaObject::invokeMethod(
            this,
            [latestTask = task.latestTask, id = task.id, emission = std::move(emission)] {
                if (latestTask->load() == id)
                    emission();
            },
            Qt::QueuedConnection);
}
