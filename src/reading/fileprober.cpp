#include "fileprober.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QThreadPool>

namespace {

// A few hung files must not hold up the answers for every other one.
constexpr int ProbeThreads = 4;

// Apart from the global pool, so a hung mount never holds up the loader's work.
class ProbePool : public QThreadPool
{
public:
    ProbePool() { setMaxThreadCount(ProbeThreads); }
};

// Never destroyed: destroying a pool waits for its workers, and one stuck on a hung mount
// would keep the program from ever ending.
QThreadPool *probePool()
{
    static ProbePool *const pool = new ProbePool;
    return pool;
}

}

// Where a worker leaves its answer. The prober may be gone by the time a hung check returns;
// the worker then drops the answer instead of posting it to a dead object.
struct FileProber::Mailbox
{
    QMutex mutex;
    FileProber *prober = nullptr;
};

FileProber::FileProber(QObject *parent)
    : QObject(parent)
    , m_check(&FileProber::checkFile)
    , m_mailbox(std::make_shared<Mailbox>())
{
    m_mailbox->prober = this;
}

FileProber::~FileProber()
{
    const QMutexLocker locker(&m_mailbox->mutex);
    m_mailbox->prober = nullptr;
}

void FileProber::setCheck(Check check)
{
    m_check = std::move(check);
}

FileProber::Facts FileProber::checkFile(const QString &path)
{
    const QFileInfo info(path);
    Facts facts;
    facts.exists = info.exists();
    facts.isFile = info.isFile();
    facts.size = facts.exists ? info.size() : -1;
    facts.folderExists = info.absoluteDir().exists();
    facts.canonicalPath = info.canonicalFilePath();
    return facts;
}

void FileProber::probe(const QString &path)
{
    if (m_asked.contains(path))
        return;
    m_asked.insert(path);
    probePool()->start([check = m_check, mailbox = m_mailbox, path] {
        const Facts facts = check(path);
        const QMutexLocker locker(&mailbox->mutex);
        // Posted while the prober is known to live: its destruction discards the event.
        if (FileProber *prober = mailbox->prober)
            QMetaObject::invokeMethod(prober, [prober, path, facts] { prober->deliver(path, facts); },
                                      Qt::QueuedConnection);
    });
}

std::optional<FileProber::Facts> FileProber::known(const QString &path) const
{
    const auto found = m_known.constFind(path);
    return found == m_known.cend() ? std::nullopt : std::optional(*found);
}

void FileProber::deliver(const QString &path, const Facts &facts)
{
    m_asked.remove(path);
    m_known.insert(path, facts);
    emit probed(path, facts);
}
