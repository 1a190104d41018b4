#include "folderscanner.h"

#include "readinglogging.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>
#include <QSet>

#include <atomic>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace {

constexpr qint64 ProgressIntervalMs = 100;

}

// What the scanning threads share with the scanner, across the scanner's life.
struct FolderScanner::Shared
{
    std::atomic<quint64> latestScan{ 0 };

    QMutex mutex;
    FolderScanner *scanner = nullptr; // null once the scanner is being destroyed

    bool isCurrent(quint64 scan) const { return latestScan.load() == scan; }

    // Hands an emission to the scanner's thread; dropped there too if the scan has been
    // cancelled meanwhile. The call dies with the scanner, which owns this state, so it
    // may refer to both.
    void post(quint64 scan, std::function<void(FolderScanner *)> emission)
    {
        const QMutexLocker lock(&mutex);
        if (!scanner || !isCurrent(scan))
            return;
        QMetaObject::invokeMethod(
                scanner,
                [this, scanner = scanner, scan, emission = std::move(emission)] {
                    if (isCurrent(scan))
                        emission(scanner);
                },
                Qt::QueuedConnection);
    }
};

// One scan, depth first with a stack of its own, so no tree is too deep for it.
class FolderScanner::Walk
{
public:
    Walk(std::shared_ptr<Shared> shared, quint64 scan) : m_shared(std::move(shared)), m_scan(scan) { }

    void run(const QString &folderPath)
    {
        m_sinceProgress.start();
        enterFolder(folderPath);
        while (!m_levels.empty()) {
            if (!m_shared->isCurrent(m_scan))
                return;
            Level &level = m_levels.back();
            if (level.next == level.entries.size()) {
                m_levels.pop_back();
                continue;
            }
            const QFileInfo entry = level.entries.at(level.next++);
            if (entry.isDir())
                enterFolder(entry.absoluteFilePath());
            else if (isBook(entry))
                addBook(entry);
        }
        m_shared->post(m_scan, [found = m_found](FolderScanner *scanner) {
            scanner->m_scanning = false;
            emit scanner->finished(found);
        });
    }

private:
    struct Level
    {
        QFileInfoList entries;
        qsizetype next = 0;
    };

    static bool isBook(const QFileInfo &entry)
    {
        return entry.isFile() && entry.suffix().compare(QLatin1String("txt"), Qt::CaseInsensitive) == 0;
    }

    bool isFirstVisit(const QFileInfo &entry)
    {
        const QString canonical = entry.canonicalFilePath();
        if (canonical.isEmpty() || m_visited.contains(canonical))
            return false;
        m_visited.insert(canonical);
        return true;
    }

    void enterFolder(const QString &folderPath)
    {
        if (!isFirstVisit(QFileInfo(folderPath)))
            return;
        m_levels.push_back({ QDir(folderPath).entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot,
                                                            QDir::NoSort),
                             0 });
    }

    void addBook(const QFileInfo &entry)
    {
        if (!isFirstVisit(entry))
            return;
        m_found.append(entry.absoluteFilePath());
        if (m_sinceProgress.elapsed() >= ProgressIntervalMs) {
            m_sinceProgress.restart();
            m_shared->post(m_scan, [count = int(m_found.size())](FolderScanner *scanner) {
                emit scanner->progress(count);
            });
        }
    }

    const std::shared_ptr<Shared> m_shared;
    const quint64 m_scan;
    std::vector<Level> m_levels;
    QSet<QString> m_visited;
    QStringList m_found;
    QElapsedTimer m_sinceProgress;
};

FolderScanner::FolderScanner(QObject *parent)
    : QObject(parent)
    , m_shared(std::make_shared<Shared>())
{
    m_shared->scanner = this;
}

FolderScanner::~FolderScanner()
{
    ++m_shared->latestScan;
    const QMutexLocker lock(&m_shared->mutex);
    m_shared->scanner = nullptr;
}

void FolderScanner::scan(const QString &folderPath)
{
    cancel();
    const quint64 scan = ++m_shared->latestScan;
    m_scanning = true;
    try {
        std::thread([walk = Walk(m_shared, scan), folderPath]() mutable { walk.run(folderPath); }).detach();
    } catch (const std::system_error &error) {
        qCWarning(lcReading) << "Cannot start scanning folder:" << folderPath << error.what();
        m_shared->post(scan, [](FolderScanner *scanner) {
            scanner->m_scanning = false;
            emit scanner->finished({});
        });
    }
}

void FolderScanner::cancel()
{
    if (!m_scanning)
        return;
    ++m_shared->latestScan;
    m_scanning = false;
    emit cancelled();
}
