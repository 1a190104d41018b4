#include "fileloader.h"

#include "bookdecoder.h"
#include "bookfilereader.h"
#include "paragraphfinder.h"
#include "readinglogging.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QElapsedTimer>
#include <QMutex>
#include <QWaitCondition>

#include <algorithm>
#include <system_error>
#include <thread>

namespace {

// Enough text for the first few pages, cut before anything else; then waves large enough
// for both cores to share.
constexpr qsizetype FirstWaveLength = 16 * 1024;
constexpr qsizetype WaveLength = 2 * 1024 * 1024;

// A book larger than this has the text around the reader's place (or its head) decoded and
// cut before the rest; a smaller one is whole about as soon.
constexpr qsizetype HeadBytes = 512 * 1024;
// Text enough around the place for the pages on either side of it; and how far the anchor
// may lie before the place for the text between them to be decoded first.
constexpr qsizetype WindowLength = 8 * 1024;
constexpr qsizetype FurthestAnchor = 4 * 1024 * 1024;
// Pages cut back from the place, for the reader turning back before the cut from the start
// reaches them: two turns of a two-page spread.
constexpr size_t PagesBefore = 4;

// How long a load waits for the book before it to finish reading. A superseded read stops
// at its next chunk, long before this; one that has not stopped by then hangs in the
// operating system, and the newer load goes ahead without it.
constexpr int StuckReaderGraceMs = 1000;

}

// What the loader's tasks share with it, and with each other, across the loader's life.
struct FileLoader::Shared
{
    std::atomic<quint64> latestTask{ 0 };

    QMutex mutex;
    QWaitCondition turnChanged;
    quint64 reader = 0; // the task reading a book now, 0 for none
    FileLoader *loader = nullptr; // null once the loader is being destroyed

    void wakeWaitingReaders()
    {
        const QMutexLocker lock(&mutex);
        turnChanged.wakeAll();
    }
};

struct FileLoader::Task
{
    quint64 id;
    QString filePath;
    PageFormat format;
    QByteArray forcedEncoding;
    OpeningPlace place;
    QElapsedTimer timer;
    std::shared_ptr<Shared> shared;
    ChapterRule chapterRule;

    bool isSuperseded() const { return shared->latestTask.load() != id; }

    // Waits until no other task reads; false when this one was superseded meanwhile.
    bool waitForReadingTurn() const
    {
        const QMutexLocker lock(&shared->mutex);
        const QDeadlineTimer grace(StuckReaderGraceMs);
        while (shared->reader != 0 && !isSuperseded()) {
            if (!shared->turnChanged.wait(&shared->mutex, grace))
                break;
        }
        if (isSuperseded())
            return false;
        shared->reader = id;
        return true;
    }

    void finishReading() const
    {
        const QMutexLocker lock(&shared->mutex);
        if (shared->reader == id)
            shared->reader = 0;
        shared->turnChanged.wakeAll();
    }

    // Runs work with the loader, unless it is gone; the loader cannot go meanwhile.
    void withLoader(const std::function<void(FileLoader *)> &work) const
    {
        const QMutexLocker lock(&shared->mutex);
        if (shared->loader)
            work(shared->loader);
    }
};

FileLoader::FileLoader(QObject *parent)
    : QObject(parent)
    , m_shared(std::make_shared<Shared>())
{
    m_shared->loader = this;
}

FileLoader::~FileLoader()
{
    // Every task stops at its next check. Reading threads are left to end on their own,
    // whenever the operating system lets them; the pools' tasks end at once.
    ++m_shared->latestTask;
    {
        const QMutexLocker lock(&m_shared->mutex);
        m_shared->loader = nullptr;
        m_shared->turnChanged.wakeAll();
    }
    m_pool.waitForDone();
    m_measuringPool.waitForDone();
}

void FileLoader::loadFile(const QString &filePath, const PageFormat &format,
                          const QByteArray &forcedEncoding, const OpeningPlace &place)
{
    const Task task = newTask(filePath, format, forcedEncoding, place);
    try {
        std::thread(&FileLoader::readOnOwnThread, task).detach();
    } catch (const std::system_error &error) {
        qCWarning(lcReading) << "Cannot start reading file:" << filePath << error.what();
        post(task, [this, filePath] { emit loadFailed(filePath, tr("系统资源不足，无法读取文件。")); });
    }
}

void FileLoader::repaginate(const PagedText &pages, const QString &filePath, const PageFormat &format)
{
    m_pool.start([this, task = newTask(filePath, format), pages] { runRecut(task, pages); });
}

void FileLoader::cancel()
{
    ++m_shared->latestTask;
    m_shared->wakeWaitingReaders();
}

void FileLoader::setChapterRules(std::function<ChapterRule(const QString &)> ruleOf)
{
    m_chapterRules = std::move(ruleOf);
}

void FileLoader::setCleanupRules(std::function<std::vector<CleanupRule>(const QString &)> rulesOf)
{
    m_cleanupRules = std::move(rulesOf);
}

FileLoader::Task FileLoader::newTask(const QString &filePath, const PageFormat &format,
                                     const QByteArray &forcedEncoding, const OpeningPlace &place)
{
    Task task{ ++m_shared->latestTask, filePath, format, forcedEncoding, place, {}, m_shared,
               m_chapterRules ? m_chapterRules(filePath) : ChapterRule() };
    if (m_cleanupRules)
        task.format.cleanupRules = m_cleanupRules(filePath);
    task.timer.start();
    m_shared->wakeWaitingReaders();
    return task;
}

// On a thread of the task's own. The text goes on to the loader's pool to be cut; the
// next book is read once this one is decoded, so two large books never sit in memory
// at once.
void FileLoader::readOnOwnThread(const Task &task)
{
    if (!task.waitForReadingTurn())
        return;
    task.withLoader([&task](FileLoader *loader) {
        loader->post(task, [loader] { emit loader->loadProgress(10); });
    });
    QString error;
    BookFingerprint fingerprint;
    qsizetype firstCut = 0;
    BookDecoder::Result decoded = readAndDecode(task, &error, &fingerprint, &firstCut);
    task.finishReading();
    if (error.isEmpty() && !task.isSuperseded())
        reportDecoded(task, decoded, fingerprint);
    task.withLoader([&task, &decoded, &error, firstCut](FileLoader *loader) {
        if (!task.isSuperseded())
            loader->m_pool.start([loader, task, text = std::move(decoded.text), anchors = decoded.anchors,
                                  error, firstCut]() mutable {
                loader->runLoad(task, std::move(text), anchors, error, firstCut);
            });
    });
}

BookDecoder::Result FileLoader::readAndDecode(const Task &task, QString *error,
                                              BookFingerprint *fingerprint, qsizetype *firstCut)
{
    *firstCut = cutAroundPlace(task);
    const BookFileReader::Result read = BookFileReader(MaxFileSize).read(task.filePath, [&task] {
        return task.isSuperseded();
    });
    if (read.cancelled || task.isSuperseded())
        return {};
    if (!read.error.isEmpty()) {
        *error = read.error;
        return {};
    }
    *fingerprint = BookFingerprint::ofBytes(read.bytes);
    BookDecoder::Result decoded = task.forcedEncoding.isEmpty()
            ? BookDecoder::decode(read.bytes)
            : BookDecoder::decode(read.bytes, task.forcedEncoding);
    if (decoded.text.isEmpty())
        *error = tr("文件里没有可以显示的文字。");
    return decoded;
}

// Before the whole book is read: the text from the place on, decoded from the anchor the
// library kept for this content, with a few pages cut back from the place out of the text
// decoded before it, or the head of a book opened at its start, cut into pages and handed over. Only the parts of the file that hold it are read. The pages from the place
// end before the last one cut, which the text after the window could still add to. Returns
// how far into the text the pages handed over reach from the start of the book, 0 when none
// were.
qsizetype FileLoader::cutAroundPlace(const Task &task)
{
    const OpeningPlace &place = task.place;
    qint64 size = 0;
    const BookFileReader::Result head = BookFileReader::readPart(task.filePath, 0, HeadBytes, &size);
    const bool anchored = place.offset > 0 && place.anchor.isValid()
            && place.anchor.byte < size && place.anchor.place <= place.offset
            && place.offset - place.anchor.place <= FurthestAnchor
            && place.fingerprint == BookFingerprint::ofFile(task.filePath);
    if (!head.error.isEmpty() || size <= HeadBytes || (place.offset > 0 && !anchored))
        return 0;
    const QByteArray encoding = task.forcedEncoding.isEmpty()
            ? BookDecoder::encodingOf(head.bytes)
            : task.forcedEncoding;
    const qsizetype from = anchored ? place.offset - place.anchor.place : 0;
    const qint64 start = anchored ? place.anchor.byte : BookDecoder::textStart(head.bytes, encoding);
    // No character takes more than four bytes.
    const qint64 reach = 4 * (from + WindowLength);
    const BookFileReader::Result part = BookFileReader::readPart(task.filePath, start, reach, &size);
    if (!part.error.isEmpty() || task.isSuperseded())
        return 0;
    const bool partEndsFile = start + part.bytes.size() >= size;
    const QString text = textOfWindow(part.bytes, encoding, partEndsFile);
    if (from >= text.size() || (!anchored && partEndsFile))
        return 0;
    const qsizetype windowEnd = endOfWindow(text, from);
    const bool reachesEnd = partEndsFile && windowEnd == text.size();
    const QString window = text.sliced(from, windowEnd - from);
    const std::vector<QStringView> paragraphs = reachesEnd ? Paginator::paragraphsOf(window)
                                                           : Paginator::paragraphsOfPages(window);
    const qsizetype offset = anchored ? place.offset : 0;
    std::vector<qsizetype> joins;
    std::vector<QString> pages = Paginator(task.format).paginate(
            paragraphsToSet(task, window, paragraphs, &joins),
            headingsFor(task, task.chapterRule.headingsIn(paragraphs)),
            [&task] { return task.isSuperseded(); });
    if (!reachesEnd && pages.size() > 1)
        pages.pop_back();
    if (pages.empty() || task.isSuperseded())
        return 0;
    const qsizetype cut = offset + Paginator::offsetOfPage(pages, int(pages.size()));
    // Until the whole text is decoded, its length is told as the window's share of the bytes
    // suggests, so a place kept meanwhile is not taken for the end of the book.
    const qsizetype anchorPlace = anchored ? place.anchor.place : 0;
    const qsizetype estimate = qMax(cut, anchorPlace + qsizetype(qreal(text.size()) * (size - start) / part.bytes.size()));
    std::vector<qsizetype> joinsBefore;
    std::vector<QString> before;
    if (anchored) {
        const qsizetype longest = std::max_element(pages.begin(), pages.end(), [](const QString &a, const QString &b) {
                                      return a.size() < b.size();
                                  })->size();
        before = pagesBefore(task, QStringView(text).first(from), longest, &joinsBefore);
    }
    const int placePage = int(before.size());
    const qsizetype first = offset - Paginator::offsetOfPage(before, placePage);
    for (qsizetype &join : joinsBefore)
        join += offset - from;
    for (qsizetype join : joins)
        joinsBefore.push_back(join + offset);
    before.insert(before.end(), pages.begin(), pages.end());
    task.withLoader([&task, &before, &joinsBefore, offset, first, placePage, estimate](FileLoader *loader) {
        loader->post(task, [loader, path = task.filePath, estimate] {
            emit loader->textLengthFound(path, estimate);
        });
        loader->reportJoins(task, std::move(joinsBefore));
        loader->post(task, [loader, pages = PagedText(before), path = task.filePath, offset, first, placePage] {
            if (offset > 0)
                emit loader->pagesCutAt(pages, path, first, placePage);
            else
                emit loader->pagesCut(pages, path);
        });
    });
    return offset > 0 ? 0 : cut;
}

// The text decoded from a line start well before the place may reach far past it; only the
// pages just after the place are cut before the first frame, so the window ends at the first
// line end once there is text enough for them.
qsizetype FileLoader::endOfWindow(const QString &text, qsizetype from)
{
    const qsizetype lineEnd = text.indexOf(u'\n', from + 2 * WindowLength);
    return lineEnd < 0 ? text.size() : lineEnd + 1;
}

// A few pages ending where the text ends (at the reader's place), each cut back from the end
// of the one after it: as long as fits on a page, so the reader turning back from the place
// sees whole pages at once. They may break elsewhere than the whole book's cut, which flows
// from the book's start; the session replaces them once that cut reaches them.
std::vector<QString> FileLoader::pagesBefore(const Task &task, QStringView text, qsizetype longestPage,
                                             std::vector<qsizetype> *joinedLineEnds)
{
    std::vector<QString> pages;
    qsizetype end = text.size();
    while (end > 0 && pages.size() < PagesBefore && !task.isSuperseded()) {
        const qsizetype start = startOfPageEndingAt(task, text, end, longestPage);
        const QString page = text.sliced(start, end - start).toString();
        std::vector<qsizetype> joins;
        paragraphsToSet(task, page, Paginator::paragraphsOfPages(page), &joins);
        for (auto join = joins.rbegin(); join != joins.rend(); ++join)
            joinedLineEnds->insert(joinedLineEnds->begin(), *join + start);
        pages.insert(pages.begin(), page);
        end = start;
    }
    return pages;
}

// The earliest start from which the text up to the end still fits on one page, looked for
// among the starts no further back than twice the longest page cut from the place.
qsizetype FileLoader::startOfPageEndingAt(const Task &task, QStringView text, qsizetype end,
                                          qsizetype longestPage)
{
    qsizetype tooFar = qMax<qsizetype>(0, end - 2 * qMax<qsizetype>(longestPage, 1));
    if (pagesHolding(task, text.sliced(tooFar, end - tooFar)) <= 1)
        return tooFar;
    qsizetype fits = end - 1;
    while (fits - tooFar > 1 && !task.isSuperseded()) {
        const qsizetype middle = tooFar + (fits - tooFar) / 2;
        if (pagesHolding(task, text.sliced(middle, end - middle)) <= 1)
            fits = middle;
        else
            tooFar = middle;
    }
    // A page starts neither inside a character nor with the line end of the page before.
    while (fits < end - 1 && (text[fits].isLowSurrogate() || text[fits] == u'\n'))
        ++fits;
    return fits;
}

int FileLoader::pagesHolding(const Task &task, QStringView text)
{
    const QString piece = text.toString();
    const std::vector<QStringView> paragraphs = Paginator::paragraphsOfPages(piece);
    std::vector<qsizetype> joins;
    return int(Paginator(task.format)
                       .paginate(paragraphsToSet(task, piece, paragraphs, &joins),
                                 headingsFor(task, task.chapterRule.headingsIn(paragraphs)))
                       .size());
}

// The text of bytes read from a line start, as pages hold it (each line end one "\n"), up to
// the last line start in them unless they end the file: a character may be cut off there.
QString FileLoader::textOfWindow(QByteArrayView bytes, const QByteArray &encoding, bool endsFile)
{
    qsizetype end = bytes.size();
    if (!endsFile) {
        end = 0;
        for (qsizetype next = BookDecoder::lineStartAfter(bytes, 0, encoding); next < bytes.size();
             next = BookDecoder::lineStartAfter(bytes, next, encoding))
            end = next;
    }
    QString text = BookDecoder::decode(bytes.first(end), encoding).text;
    Paginator::unifyLineEnds(text);
    return text;
}

// The fingerprint is of the bytes that were read and decoded: opening the file again could
// find another file under its name, or a pipe that never ends.
void FileLoader::reportDecoded(const Task &task, const BookDecoder::Result &decoded,
                               const BookFingerprint &fingerprint)
{
    task.withLoader([&task, &fingerprint, encoding = QString::fromLatin1(decoded.encoding),
                     count = decoded.undecodableBytes](FileLoader *loader) {
        loader->post(task, [loader, path = task.filePath, fingerprint, encoding, count] {
            emit loader->bookDecoded(path, fingerprint, encoding, count);
        });
    });
}

void FileLoader::runLoad(const Task &task, QString text,
                         const std::vector<TextAnchor> &anchors, const QString &error,
                         qsizetype firstCut)
{
    if (task.isSuperseded())
        return;
    if (!error.isEmpty()) {
        qCWarning(lcReading) << "Failed to read file:" << task.filePath;
        post(task, [this, path = task.filePath, error] { emit loadFailed(path, error); });
        return;
    }
    post(task, [this] { emit loadProgress(60); });

    post(task, [this, path = task.filePath,
                anchors = anchorsInPages(text, anchors, Paginator::paragraphsOf(text))] {
        emit anchorsFound(path, anchors);
    });
    const qsizetype decodedLength = text.size();
    makeTextOfPages(text);
    const std::vector<QStringView> paragraphs = Paginator::paragraphsOfPages(text);
    const std::vector<Chapter> chapters = task.chapterRule.headingsIn(paragraphs);
    post(task, [this, path = task.filePath, chapters] { emit chaptersFound(path, chapters); });
    post(task, [this, path = task.filePath, length = decodedLength] { emit textLengthFound(path, length); });
    std::vector<qsizetype> joins;
    const std::vector<TextRun> pieces = Paginator::piecesOf(paragraphsToSet(task, text, paragraphs, &joins),
                                                            headingsFor(task, chapters),
                                                            !task.format.style.book);
    reportJoins(task, std::move(joins));
    post(task, [this] { emit loadProgress(80); });
    PagedText pages = cutProgressively(task, text, pieces, firstCut);
    if (task.isSuperseded())
        return;
    post(task, [this] { emit loadProgress(100); });
    post(task, [this, pages = std::move(pages), path = task.filePath] {
        emit fileLoaded(pages, path);
    });
    qCDebug(lcReading) << "File loaded in" << task.timer.elapsed() << "ms";
}

// The first pages are cut on this thread from the head of the book and handed over at
// once; the rest is measured in parallel, a wave of text at a time, each wave's pages handed
// over as it is cut.
PagedText FileLoader::cutProgressively(const Task &task, const QString &text,
                                       const std::vector<TextRun> &pieces, qsizetype firstCut)
{
    const Paginator paginator(task.format, &m_measuringPool);
    const auto isSuperseded = [&task] { return task.isSuperseded(); };
    PageCutter cutter(paginator.pageHeight(), PageCutter::Keep::LengthsOnly);
    size_t first = 0;
    qsizetype waveLength = FirstWaveLength;
    while (first < pieces.size() && !task.isSuperseded()) {
        size_t last = first;
        for (qsizetype length = 0; last < pieces.size() && length < waveLength; ++last)
            length += pieces[last].text.size();
        for (const TextRun &run : paginator.measure(pieces, first, last, isSuperseded))
            cutter.add(run);
        // Each wave is handed over whole: the page before a heading may have taken the blank
        // lines after it since the wave before.
        const PagedText pages(text, cutter.pageLengths());
        if (last < pieces.size() && !pages.empty() && pages.length() > firstCut)
            post(task, [this, pages, path = task.filePath] { emit pagesCut(pages, path); });
        first = last;
        waveLength = WaveLength;
    }
    cutter.finish();
    return PagedText(text, cutter.pageLengths());
}

// The decoded text made the text the pages join to, in place: each line end "\n", and the
// last line ended too.
void FileLoader::makeTextOfPages(QString &text)
{
    Paginator::unifyLineEnds(text);
    text.append(u'\n');
}

// The text is the one the pages were cut from; only their starts are new.
void FileLoader::runRecut(const Task &task, const PagedText &pages)
{
    const QString text = pages.length() == pages.wholeText().size() ? pages.wholeText()
                                                                    : pages.text().toString();
    const std::vector<QStringView> paragraphs = Paginator::paragraphsOfPages(text);
    const std::vector<Chapter> chapters = task.chapterRule.headingsIn(paragraphs);
    post(task, [this, path = task.filePath, chapters] { emit chaptersFound(path, chapters); });
    post(task, [this, path = task.filePath, length = text.size()] { emit textLengthFound(path, length); });
    std::vector<qsizetype> joins;
    const std::vector<QStringView> toSet = paragraphsToSet(task, text, paragraphs, &joins);
    reportJoins(task, std::move(joins));
    const std::vector<qsizetype> lengths = Paginator(task.format, &m_measuringPool)
                                                   .pageLengths(toSet, headingsFor(task, chapters), [&task] {
                                                       return task.isSuperseded();
                                                   });
    if (task.isSuperseded())
        return;
    post(task, [this, recut = PagedText(text, lengths), path = task.filePath] {
        emit pagesRecut(recut, path);
    });
    qCDebug(lcReading) << "Pages recut in" << task.timer.elapsed() << "ms";
}

// The anchors with their places moved from the decoded text to the text of the pages, where
// each line end is one "\n": an anchor is a line start, so the start of a paragraph.
std::vector<TextAnchor> FileLoader::anchorsInPages(const QString &text,
                                                   const std::vector<TextAnchor> &anchors,
                                                   const std::vector<QStringView> &paragraphs)
{
    std::vector<TextAnchor> inPages;
    auto anchor = anchors.begin();
    qsizetype offset = 0;
    for (QStringView paragraph : paragraphs) {
        const qsizetype decoded = paragraph.data() - text.constData();
        while (anchor != anchors.end() && anchor->place < decoded)
            ++anchor;
        if (anchor != anchors.end() && anchor->place == decoded)
            inPages.push_back({ anchor->byte, offset });
        offset += paragraph.size() + 1;
    }
    return inPages;
}

// The book layout sets the lines of a hard-wrapped book joined into paragraphs; the line
// ends joined go to joinedLineEnds (none in the original layout).
std::vector<QStringView> FileLoader::paragraphsToSet(const Task &task, QStringView text,
                                                     const std::vector<QStringView> &lines,
                                                     std::vector<qsizetype> *joinedLineEnds)
{
    if (task.format.style.book)
        *joinedLineEnds = ParagraphFinder(text, lines).joinedLineEnds();
    return ParagraphFinder::joinedLines(text, lines, *joinedLineEnds);
}

// Whichever the layout, the line ends joined are told before the pages cut with them.
void FileLoader::reportJoins(const Task &task, std::vector<qsizetype> joinedLineEnds)
{
    post(task, [this, path = task.filePath, joins = std::move(joinedLineEnds)] { emit lineEndsJoined(path, joins); });
}

// Headings start pages only in a format that asks for it; the book layout sets them apart
// in any case.
std::vector<Chapter> FileLoader::headingsFor(const Task &task, const std::vector<Chapter> &chapters)
{
    return task.format.chaptersStartPages || task.format.style.book ? chapters : std::vector<Chapter>();
}

// Signals are emitted on the loader's own thread. Nothing of a task that has been superseded
// (or whose loader is being destroyed) is emitted, also when it was posted just before.
void FileLoader::post(const Task &task, std::function<void()> emission)
{
    if (task.isSuperseded())
        return;
    QMetaObject::invokeMethod(
            this,
            [shared = task.shared, id = task.id, emission = std::move(emission)] {
                if (shared->latestTask.load() == id)
                    emission();
            },
            Qt::QueuedConnection);
}
