#include "readingsession.h"

#include "fileloader.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace {

// Text enough to fill one page at the smallest size on the largest screen.
constexpr qsizetype ProvisionalTextLength = 32 * 1024;

bool sameFormat(const PageFormat &a, const PageFormat &b)
{
    return a.font == b.font && a.textArea == b.textArea && a.chaptersStartPages == b.chaptersStartPages
            && a.style == b.style;
}

bool sameHeadings(const std::vector<Chapter> &a, const std::vector<Chapter> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const Chapter &x, const Chapter &y) {
        return x.offset == y.offset && x.length == y.length;
    });
}

}

ReadingSession::ReadingSession(QObject *parent)
    : QObject(parent)
    , m_loader(new FileLoader(this))
{
    connect(m_loader, &FileLoader::pagesCut, this, &ReadingSession::onPagesCut);
    connect(m_loader, &FileLoader::pagesCutAt, this, &ReadingSession::onPagesCutAt);
    connect(m_loader, &FileLoader::fileLoaded, this, &ReadingSession::onFileLoaded);
    connect(m_loader, &FileLoader::pagesRecut, this, &ReadingSession::onPagesRecut);
    connect(m_loader, &FileLoader::loadFailed, this, &ReadingSession::onLoadFailed);
    connect(m_loader, &FileLoader::chaptersFound, this, &ReadingSession::onChaptersFound);
    connect(m_loader, &FileLoader::lineEndsJoined, this, &ReadingSession::onLineEndsJoined);
    connect(m_loader, &FileLoader::textLengthFound, this, &ReadingSession::onTextLengthFound);
}

ReadingSession::State ReadingSession::state() const
{
    if (m_book.isEmpty())
        return State::Empty;
    return m_heldOffset ? State::Recutting : State::Reading;
}

qsizetype ReadingSession::place() const
{
    return m_pages.empty() ? 0 : m_anchor;
}

qsizetype ReadingSession::startOfPage() const
{
    if (m_heldOffset)
        return *m_heldOffset;
    return m_pages.empty() ? 0 : offsetOf(m_page);
}

bool ReadingSession::isPageNumberKnown() const
{
    return m_heldOffset ? m_sourceBase == 0 : m_base == 0;
}

int ReadingSession::pageNumber() const
{
    if (m_heldOffset)
        return Paginator::pageAtOffset(m_sourcePages, *m_heldOffset - m_sourceBase) + 1;
    return m_pages.empty() ? 0 : m_page + 1;
}

int ReadingSession::pageCount() const
{
    return int(m_heldOffset ? m_sourcePages.size() : m_pages.size());
}

qsizetype ReadingSession::textLength() const
{
    if (m_textLength > 0)
        return m_textLength;
    if (m_heldOffset)
        return m_sourceBase + Paginator::offsetOfPage(m_sourcePages, int(m_sourcePages.size()));
    return offsetOf(int(m_pages.size()));
}

// ---- Opening and cutting -------------------------------------------------------------

void ReadingSession::open(const QString &path, qsizetype place, const QByteArray &encoding,
                          const TextAnchor &anchor, const BookFingerprint &fingerprint)
{
    m_opening = path;
    m_openingPlace = qMax<qsizetype>(place, 0);
    m_openingEncoding = encoding;
    m_openingTextLength = 0;
    m_openingAnchor = anchor;
    m_openingFingerprint = fingerprint;
    m_pendingSearch.reset();
    loadOpeningBook();
}

void ReadingSession::loadOpeningBook()
{
    m_loader->loadFile(m_opening, m_format, m_openingEncoding,
                       { m_openingPlace, m_openingAnchor, m_openingFingerprint });
}

void ReadingSession::close()
{
    m_loader->cancel();
    m_opening.clear();
    m_book.clear();
    m_bookEncoding.clear();
    m_pages.clear();
    m_base = 0;
    m_complete = true;
    m_page = 0;
    m_anchor = 0;
    m_textLength = 0;
    m_sourcePages.clear();
    m_sourceBase = 0;
    m_heldOffset.reset();
    m_pendingRequest.reset();
    m_pendingSearch.reset();
    m_chapters.clear();
    m_openingChapters.clear();
    m_joinedLineEnds.clear();
    m_comingJoinedLineEnds.clear();
    m_matchStart = -1;
    emit closed();
    emit chaptersChanged();
    emit positionChanged();
}

// Pages depend on the font and the text area they are drawn in. A book being opened is
// loaded again for the new format; the book on show is cut anew while a page that begins
// at the reader's place stands in for their page. The place itself stays: taking the new
// page's start instead would let every re-layout pull the reader back a little.
void ReadingSession::setFormat(const PageFormat &format)
{
    if (sameFormat(format, m_format))
        return;
    m_format = format;
    cutAnew();
}

void ReadingSession::cutAnew()
{
    if (!m_opening.isEmpty())
        loadOpeningBook();
    if (m_book.isEmpty())
        return;
    if (!m_heldOffset) {
        m_heldOffset = m_anchor;
        m_sourcePages = m_pages;
        m_sourceBase = std::exchange(m_base, 0);
        m_sourceComplete = m_complete;
        if (m_pendingSearch)
            m_pendingRequest = Request{ Request::Find, 0, std::exchange(m_pendingSearch, {})->text };
    }
    m_pages = pagesStartingAt(*m_heldOffset);
    m_page = 0;
    m_pagesFormat = m_format;
    emit pagesReplaced();
    if (m_opening.isEmpty())
        startRecut();
}

void ReadingSession::startRecut()
{
    if (m_sourceComplete)
        m_loader->repaginate(m_sourcePages, m_book, m_format);
    else
        m_loader->loadFile(m_book, m_format, m_bookEncoding);
}

// The failed open stopped the cutting of the book on show: it is cut again, and the pages at
// hand stay on show until the new cut reaches the reader's place.
void ReadingSession::resumeCut()
{
    m_heldOffset = m_anchor;
    m_sourcePages = m_pages;
    m_sourceBase = m_base;
    m_sourceComplete = false;
    m_loader->loadFile(m_book, m_format, m_bookEncoding);
}

// The pages shown at once, in the current format, from the text at an offset, out of the
// pages at hand.
std::vector<QString> ReadingSession::pagesStartingAt(qsizetype offset) const
{
    const qsizetype inSource = offset - m_sourceBase;
    const int page = Paginator::pageAtOffset(m_sourcePages, inSource);
    QString text = m_sourcePages[page].mid(inSource - Paginator::offsetOfPage(m_sourcePages, page));
    for (int next = page + 1; next < int(m_sourcePages.size()) && text.size() < ProvisionalTextLength; ++next)
        text += m_sourcePages[next];
    std::vector<QString> pages = Paginator(m_format).paginate(Paginator::paragraphsOfPages(text));
    if (pages.empty())
        return { QString() };
    pages.resize(qMin(pages.size(), size_t(m_pagesPerTurn)));
    return pages;
}

void ReadingSession::onPagesCut(std::vector<QString> pages, const QString &path)
{
    receivePages(std::move(pages), path, false);
}

// Pages from the place a book is opened at, before those from its start: the book shows with
// page numbers unknown until the cut from the start reaches the reader's page.
void ReadingSession::onPagesCutAt(std::vector<QString> pages, const QString &path, qsizetype offset)
{
    const QScopedValueRollback inLoaderHandler(m_inLoaderHandler, true);
    if (pages.empty() || path != m_opening || offset > m_openingPlace)
        return;
    showNewBook(std::move(pages), path, false, offset);
}

void ReadingSession::onFileLoaded(std::vector<QString> pages, const QString &path)
{
    receivePages(std::move(pages), path, true);
}

void ReadingSession::onPagesRecut(std::vector<QString> pages, const QString &path)
{
    receivePages(std::move(pages), path, true);
}

void ReadingSession::receivePages(std::vector<QString> pages, const QString &path, bool complete)
{
    const QScopedValueRollback inLoaderHandler(m_inLoaderHandler, true);
    if (pages.empty())
        return;
    if (!m_opening.isEmpty()) {
        // A book opened at a place shows once its cut reaches the place.
        const bool reachesPlace = complete || Paginator::offsetOfPage(pages, int(pages.size())) > m_openingPlace;
        if (path == m_opening && reachesPlace)
            showNewBook(std::move(pages), path, complete);
        return;
    }
    if (path != m_book)
        return;
    if (m_base > 0 && !m_heldOffset) {
        // The pages from the start replace those from the place once they hold the reader's page.
        if (complete || Paginator::offsetOfPage(pages, int(pages.size())) > place())
            adoptPagesFromStart(std::move(pages), complete);
        return;
    }
    if (m_heldOffset) {
        // Until the new cut reaches the held place, the page at hand still shows it.
        if (complete || Paginator::offsetOfPage(pages, int(pages.size())) > *m_heldOffset)
            adoptRecut(std::move(pages), complete);
        return;
    }
    m_pages = std::move(pages);
    // The first pages of a book opened at its start were cut from its head alone, which may
    // have joined its lines otherwise than the whole book does.
    const bool joinedOtherwise = m_joinedLineEnds != m_comingJoinedLineEnds;
    m_joinedLineEnds = m_comingJoinedLineEnds;
    m_complete = complete;
    if (joinedOtherwise)
        emit pagesReplaced();
    else
        emit pagesExtended();
    emit positionChanged();
    continueSearch();
    if (m_pendingRequest && (complete || !liesBeyondCut(*m_pendingRequest)))
        apply(*std::exchange(m_pendingRequest, {}));
}

void ReadingSession::showNewBook(std::vector<QString> pages, const QString &path, bool complete,
                                 qsizetype base)
{
    m_opening.clear();
    m_book = path;
    m_bookEncoding = m_openingEncoding;
    m_pages = std::move(pages);
    m_joinedLineEnds = m_comingJoinedLineEnds;
    m_base = base;
    m_pagesFormat = m_format;
    m_complete = complete;
    m_textLength = m_openingTextLength;
    m_page = pageAt(m_openingPlace);
    m_anchor = qMin(m_openingPlace, offsetOf(int(m_pages.size())));
    m_sourcePages.clear();
    m_heldOffset.reset();
    m_pendingRequest.reset();
    m_chapters = std::exchange(m_openingChapters, {});
    m_matchStart = -1;
    emit bookShown(path);
    emit chaptersChanged();
    emit positionChanged();
}

void ReadingSession::adoptPagesFromStart(std::vector<QString> pages, bool complete)
{
    const qsizetype held = place();
    m_pages = std::move(pages);
    m_joinedLineEnds = m_comingJoinedLineEnds;
    m_base = 0;
    m_complete = complete;
    m_page = pageAt(held);
    emit pagesReplaced();
    emit positionChanged();
    if (m_pendingRequest && (complete || !liesBeyondCut(*m_pendingRequest)))
        apply(*std::exchange(m_pendingRequest, {}));
}

void ReadingSession::adoptRecut(std::vector<QString> pages, bool complete)
{
    m_pages = std::move(pages);
    m_joinedLineEnds = m_comingJoinedLineEnds;
    m_base = 0;
    m_sourceBase = 0;
    m_pagesFormat = m_format;
    m_complete = complete;
    m_page = pageAt(*m_heldOffset);
    m_heldOffset.reset();
    m_sourcePages.clear();
    emit pagesReplaced();
    emit positionChanged();
    if (m_pendingRequest)
        apply(*std::exchange(m_pendingRequest, {}));
}

// The book on show stays on show. If it was waiting for the new book to replace it in the
// new format, it is cut anew itself.
void ReadingSession::onLoadFailed(const QString &path, const QString &reason)
{
    const QScopedValueRollback inLoaderHandler(m_inLoaderHandler, true);
    if (!m_opening.isEmpty()) {
        if (path != m_opening)
            return;
        m_opening.clear();
        if (m_heldOffset)
            startRecut();
        else if (!m_book.isEmpty() && !m_complete)
            resumeCut();
        tell([this, path, reason] { emit openFailed(path, reason); });
        return;
    }
    // The book on show could not be read again for its re-cut (it was deleted or damaged
    // since): what was cut of it before is cut anew instead.
    if (path == m_book && m_heldOffset && !m_sourceComplete) {
        m_sourceComplete = true;
        startRecut();
    }
}

// Headings come before the first pages of the load or re-cut they were found by; a re-cut
// finds the same ones again.
void ReadingSession::onChaptersFound(const QString &path, std::vector<Chapter> chapters)
{
    if (path == m_opening) {
        m_openingChapters = std::move(chapters);
    } else if (path == m_book && !sameHeadings(chapters, m_chapters)) {
        m_chapters = std::move(chapters);
        emit chaptersChanged();
    }
}

void ReadingSession::onLineEndsJoined(const QString &path, std::vector<qsizetype> joinedLineEnds)
{
    if (path == m_opening || path == m_book)
        m_comingJoinedLineEnds = std::move(joinedLineEnds);
}

void ReadingSession::onTextLengthFound(const QString &path, qsizetype length)
{
    if (path == m_opening)
        m_openingTextLength = length;
    else if (path == m_book)
        m_textLength = length;
}

qsizetype ReadingSession::offsetOf(int page) const
{
    return m_base + Paginator::offsetOfPage(m_pages, page);
}

int ReadingSession::pageAt(qsizetype offset) const
{
    return Paginator::pageAtOffset(m_pages, qMax<qsizetype>(offset - m_base, 0));
}

// ---- Moving through the book ---------------------------------------------------------

void ReadingSession::setPagesPerTurn(int pages)
{
    m_pagesPerTurn = qMax(1, pages);
}

void ReadingSession::next()
{
    request({ Request::Step, m_pagesPerTurn, {} });
}

void ReadingSession::previous()
{
    request({ Request::Step, -m_pagesPerTurn, {} });
}

void ReadingSession::first()
{
    request({ Request::First, 0, {} });
}

void ReadingSession::last()
{
    request({ Request::Last, 0, {} });
}

void ReadingSession::goTo(int page)
{
    request({ Request::Page, page, {} });
}

void ReadingSession::goToPlace(qsizetype place)
{
    request({ Request::Place, 0, {}, qMax<qsizetype>(place, 0) });
}

void ReadingSession::find(const QString &text)
{
    if (!text.isEmpty())
        request({ Request::Find, 0, text });
}

void ReadingSession::goToMatch(qsizetype offset, qsizetype length)
{
    if (offset >= 0 && length > 0)
        request({ Request::Match, int(length), {}, offset });
}

void ReadingSession::findPrevious(const QString &text)
{
    if (!text.isEmpty())
        request({ Request::FindPrevious, 0, text });
}

void ReadingSession::goToChapter(int chapter)
{
    if (chapter >= 0 && chapter < int(m_chapters.size()))
        request({ Request::ChapterStart, chapter, {} });
}

// The first heading on a later page than the reader's.
void ReadingSession::nextChapter()
{
    const qsizetype end = endOfPage();
    const auto later = std::find_if(m_chapters.begin(), m_chapters.end(),
                                    [end](const Chapter &chapter) { return chapter.offset >= end; });
    if (later != m_chapters.end())
        goToChapter(int(later - m_chapters.begin()));
}

// The start of the reader's chapter when their page lies inside it; else the chapter before,
// skipping any whose heading shares the reader's page.
void ReadingSession::previousChapter()
{
    const qsizetype start = startOfPage();
    int chapter = currentChapter();
    while (chapter >= 0 && m_chapters[chapter].offset >= start)
        --chapter;
    if (chapter >= 0)
        goToChapter(chapter);
}

int ReadingSession::currentChapter() const
{
    const qsizetype start = startOfPage();
    const int before = ChapterDetector::chapterAt(m_chapters, start);
    const int next = before + 1;
    if (next < int(m_chapters.size()) && m_chapters[next].offset < endOfPage())
        return next;
    return before;
}

std::vector<Chapter> ReadingSession::pageHeadings() const
{
    if (m_heldOffset || !(m_pagesFormat.chaptersStartPages || m_pagesFormat.style.book))
        return {};
    if (m_base == 0)
        return m_chapters;
    // Offsets in the pages at hand, which start at the place the book was opened at.
    std::vector<Chapter> headings;
    for (Chapter chapter : m_chapters) {
        if (chapter.offset >= m_base) {
            chapter.offset -= m_base;
            headings.push_back(chapter);
        }
    }
    return headings;
}

std::vector<qsizetype> ReadingSession::pageJoinedLineEnds() const
{
    if (m_heldOffset)
        return {};
    if (m_base == 0)
        return m_joinedLineEnds;
    std::vector<qsizetype> joins;
    for (qsizetype join : m_joinedLineEnds) {
        if (join >= m_base)
            joins.push_back(join - m_base);
    }
    return joins;
}

// Where the text after the reader's page begins; while pages are cut anew, only the held
// place is known.
qsizetype ReadingSession::endOfPage() const
{
    if (m_heldOffset)
        return *m_heldOffset + 1;
    return m_pages.empty() ? 0 : offsetOf(m_page + 1);
}

// While the book is cut anew, requests wait for the new pages; steps add up, anything else
// replaces what waits. A page asked for then is one of the pages the reader is shown, those
// of the cut before, so it waits as the place that page starts at. While a book is still
// being cut, a move beyond its pages at hand waits for them, until another move replaces it.
void ReadingSession::request(const Request &request)
{
    if (m_heldOffset) {
        if (request.kind == Request::Step && m_pendingRequest && m_pendingRequest->kind == Request::Step)
            m_pendingRequest->value += request.value;
        else if (request.kind == Request::Page)
            m_pendingRequest = Request{ Request::Place, 0, {}, startOfSourcePage(request.value) };
        else
            m_pendingRequest = request;
        return;
    }
    if (m_pages.empty())
        return;
    m_pendingRequest.reset();
    if (!m_complete && liesBeyondCut(request))
        m_pendingRequest = request;
    else
        apply(request);
}

qsizetype ReadingSession::startOfSourcePage(int page) const
{
    return m_sourceBase
            + Paginator::offsetOfPage(m_sourcePages, qBound(0, page, int(m_sourcePages.size()) - 1));
}

bool ReadingSession::liesBeyondCut(const Request &request) const
{
    const qsizetype cut = offsetOf(int(m_pages.size()));
    if (m_base > 0) {
        // Before the pages from the start are there, only the pages at hand can be reached.
        switch (request.kind) {
        case Request::Step:
            return m_page + request.value < 0 || m_page + request.value >= int(m_pages.size());
        case Request::Place:
        case Request::Match:
            return request.offset < m_base || request.offset >= cut;
        case Request::ChapterStart:
            return request.value < int(m_chapters.size())
                    && (m_chapters[request.value].offset < m_base || m_chapters[request.value].offset >= cut);
        default:
            return true;
        }
    }
    switch (request.kind) {
    case Request::Place:
    case Request::Match:
        return request.offset >= cut;
    case Request::ChapterStart:
        return request.value < int(m_chapters.size()) && m_chapters[request.value].offset >= cut;
    default:
        return false;
    }
}

void ReadingSession::apply(const Request &request)
{
    const int lastPage = int(m_pages.size()) - 1;
    if (request.kind != Request::Find)
        m_pendingSearch.reset();
    switch (request.kind) {
    case Request::Step: {
        const int target = qBound(0, m_page + request.value, lastPage);
        const bool onShow = target >= m_page && target < m_page + m_pagesPerTurn;
        if (!onShow)
            turnTo(target, target > m_page);
        break;
    }
    case Request::First:
        turnTo(0, false);
        break;
    case Request::Last:
        turnTo(lastPage, true);
        break;
    case Request::Page: {
        const int target = qBound(0, request.value, lastPage);
        turnTo(target, target > m_page);
        break;
    }
    case Request::Place:
        moveTo(request.offset);
        break;
    case Request::ChapterStart:
        if (request.value < int(m_chapters.size()))
            moveTo(m_chapters[request.value].offset);
        break;
    case Request::Find: {
        const qsizetype inPage = matchOnPage();
        if (inPage >= 0)
            m_pendingSearch = PendingSearch{ request.text, m_page, m_page, inPage + m_matchLength };
        else
            m_pendingSearch = PendingSearch{ request.text, m_page, m_page + 1 };
        continueSearch();
        break;
    }
    case Request::FindPrevious:
        searchBackward(request.text);
        break;
    case Request::Match: {
        const int target = pageAt(request.offset);
        setMatch(target, request.offset - offsetOf(target), request.value);
        moveTo(request.offset);
        break;
    }
    }
}

// A page asked for by its number is held at its first character.
void ReadingSession::turnTo(int page, bool forward)
{
    m_page = page;
    m_anchor = offsetOf(page);
    emit pageTurned(page, forward);
    emit positionChanged();
}

// A place inside a page (a heading, a match, a bookmark) is held as it is, so the page that
// shows it after any re-layout is the one holding it, not the one holding the old page's start.
void ReadingSession::moveTo(qsizetype place)
{
    const int target = pageAt(place);
    if (target != m_page)
        turnTo(target, target > m_page);
    m_anchor = qBound(offsetOf(target), place,
                      offsetOf(int(m_pages.size())));
}

// Looks through the pages not searched yet; at the end of a book whose pages are all cut,
// goes on from its first page up to the one the search started on.
void ReadingSession::continueSearch()
{
    if (!m_pendingSearch)
        return;
    PendingSearch &search = *m_pendingSearch;
    const auto indexIn = [this, text = search.text](int page, qsizetype from) {
        return m_pages[page].indexOf(text, from, Qt::CaseInsensitive);
    };
    for (; search.searchedUpTo < int(m_pages.size()); ++search.searchedUpTo) {
        const qsizetype at = indexIn(search.searchedUpTo, std::exchange(search.from, 0));
        if (at >= 0) {
            const int found = search.searchedUpTo;
            const qsizetype length = search.text.size();
            m_pendingSearch.reset();
            setMatch(found, at, length);
            if (found != m_page)
                turnTo(found, true);
            m_anchor = m_matchStart;
            return;
        }
    }
    if (!m_complete)
        return;
    const PendingSearch finished = *std::exchange(m_pendingSearch, {});
    for (int page = 0; page <= finished.startPage && page < int(m_pages.size()); ++page) {
        const qsizetype at = indexIn(page, 0);
        if (at >= 0) {
            setMatch(page, at, finished.text.size());
            turnTo(page, false);
            m_anchor = m_matchStart;
            tell([this] { emit searchWrapped(); });
            return;
        }
    }
    setMatch(-1, 0, 0);
    tell([this, text = finished.text] { emit textNotFound(text); });
}

// Backward through the pages at hand: before the match on the reader's page, then the pages
// before it, then from the last page cut so far back to the reader's.
void ReadingSession::searchBackward(const QString &text)
{
    m_pendingSearch.reset();
    const auto lastIndexIn = [this, &text](int page, qsizetype from) {
        return m_pages[page].lastIndexOf(text, from, Qt::CaseInsensitive);
    };
    const auto found = [this, &text](int page, qsizetype at) {
        setMatch(page, at, text.size());
        if (page != m_page)
            turnTo(page, page > m_page);
        m_anchor = m_matchStart;
    };
    const qsizetype inPage = matchOnPage();
    if (inPage > 0) {
        const qsizetype at = lastIndexIn(m_page, inPage - 1);
        if (at >= 0)
            return found(m_page, at);
    }
    for (int page = m_page - 1; page >= 0; --page) {
        const qsizetype at = lastIndexIn(page, -1);
        if (at >= 0)
            return found(page, at);
    }
    for (int page = int(m_pages.size()) - 1; page >= m_page; --page) {
        const qsizetype at = lastIndexIn(page, -1);
        if (at >= 0) {
            found(page, at);
            tell([this] { emit searchWrapped(); });
            return;
        }
    }
    setMatch(-1, 0, 0);
    tell([this, text] { emit textNotFound(text); });
}

// What the window answers with a message box is told, when a loader's handler found it, once
// that handler has returned: the box's event loop must not run inside it.
void ReadingSession::tell(std::function<void()> emission)
{
    if (m_inLoaderHandler)
        QMetaObject::invokeMethod(this, std::move(emission), Qt::QueuedConnection);
    else
        emission();
}

// Where the last match lies in the reader's page, or -1 when it is on another page.
qsizetype ReadingSession::matchOnPage() const
{
    if (m_matchStart < 0 || m_pages.empty())
        return -1;
    const qsizetype pageStart = offsetOf(m_page);
    const qsizetype inPage = m_matchStart - pageStart;
    return inPage >= 0 && inPage < m_pages[m_page].size() ? inPage : -1;
}

void ReadingSession::setMatch(int page, qsizetype inPage, qsizetype length)
{
    m_matchStart = page < 0 ? -1 : offsetOf(page) + inPage;
    m_matchLength = page < 0 ? 0 : length;
    emit matchChanged();
}
