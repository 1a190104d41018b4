#include "readingsession.h"

#include "fileloader.h"
#include "textfinder.h"

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
    if (!isPageNumberKnown())
        return estimatedNumberAt(startOfNumberedPage());
    if (m_heldOffset)
        return m_sourcePages.pageAt(*m_heldOffset - m_sourceBase) + 1;
    return m_pages.empty() ? 0 : m_page + 1;
}

// At least as many as the pages at hand after the reader's.
int ReadingSession::pageCount() const
{
    if (!isPageNumberKnown()) {
        const PagedText &pages = m_heldOffset ? m_sourcePages : m_pages;
        const qsizetype base = m_heldOffset ? m_sourceBase : m_base;
        const int after = pages.size() - 1 - pages.pageAt(startOfNumberedPage() - base);
        return qMax(pageNumber() + after, estimatedNumberAt(textLength() - 1));
    }
    return m_heldOffset ? m_sourcePages.size() : m_pages.size();
}

// Exact as far as the pages from the start are cut; beyond, as many pages as the pages cut so
// far hold on average.
int ReadingSession::estimatedNumberAt(qsizetype offset) const
{
    if (offset < m_pagesFromStart.length())
        return m_pagesFromStart.pageAt(offset) + 1;
    const PagedText &pages = m_heldOffset ? m_sourcePages : m_pages;
    const int counted = pages.size() + m_pagesFromStart.size();
    const qreal average = qreal(pages.length() + m_pagesFromStart.length()) / qMax(counted, 1);
    const qreal pagesBefore = (offset - m_pagesFromStart.length()) / qMax(average, 1.0);
    return m_pagesFromStart.size() + int(pagesBefore) + 1;
}

// The start of the page the label counts: while pages are cut anew, the one of the cut before
// that holds the reader's place.
qsizetype ReadingSession::startOfNumberedPage() const
{
    if (m_heldOffset)
        return m_sourceBase + m_sourcePages.startOf(m_sourcePages.pageAt(*m_heldOffset - m_sourceBase));
    return m_pages.empty() ? 0 : offsetOf(m_page);
}

ReadingSession::PageNumbers ReadingSession::pageNumbers() const
{
    return { pageNumber(), pageCount(), !isPageNumberKnown(), m_heldOffset ? m_sourcePages : m_pages,
             m_heldOffset ? m_sourceBase : m_base, m_cut };
}

qsizetype ReadingSession::textLength() const
{
    if (m_textLength > 0)
        return m_textLength;
    if (m_heldOffset)
        return m_sourceBase + m_sourcePages.length();
    return m_base + m_pages.length();
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
    m_pages = {};
    m_base = 0;
    m_complete = true;
    m_page = 0;
    m_anchor = 0;
    m_textLength = 0;
    ++m_cut;
    m_standInEnd = 0;
    m_pagesFromStart = {};
    m_sourcePages = {};
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
            m_pendingRequest = FindNext{ std::exchange(m_pendingSearch, {})->text };
    }
    m_pages = PagedText(pagesStartingAt(*m_heldOffset));
    m_page = 0;
    ++m_cut;
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
    const qsizetype from = qBound<qsizetype>(0, offset - m_sourceBase, m_sourcePages.length());
    const qsizetype to = m_sourcePages.startOf(m_sourcePages.pageAt(from + ProvisionalTextLength - 1) + 1);
    const QString text = m_sourcePages.text().sliced(from, to - from).toString();
    std::vector<QString> pages = Paginator(m_format).paginate(Paginator::paragraphsOfPages(text));
    if (pages.empty())
        return { QString() };
    pages.resize(qMin(pages.size(), size_t(m_pagesPerTurn)));
    return pages;
}

void ReadingSession::onPagesCut(const PagedText &pages, const QString &path)
{
    receivePages(pages, path, false);
}

// Pages around the place a book is opened at, before those from its start: the book shows with
// page numbers estimated until the cut from the start reaches the reader's page.
void ReadingSession::onPagesCutAt(const PagedText &pages, const QString &path, qsizetype offset,
                                  int placePage)
{
    const QScopedValueRollback inLoaderHandler(m_inLoaderHandler, true);
    if (pages.empty() || path != m_opening || offset > m_openingPlace)
        return;
    showNewBook(pages, path, false, offset);
    m_standInEnd = offset + pages.startOf(placePage);
}

void ReadingSession::onFileLoaded(const PagedText &pages, const QString &path)
{
    receivePages(pages, path, true);
}

void ReadingSession::onPagesRecut(const PagedText &pages, const QString &path)
{
    receivePages(pages, path, true);
}

void ReadingSession::receivePages(const PagedText &pages, const QString &path, bool complete)
{
    const QScopedValueRollback inLoaderHandler(m_inLoaderHandler, true);
    if (pages.empty())
        return;
    if (!m_opening.isEmpty()) {
        // A book opened at a place shows once its cut reaches the place.
        const bool reachesPlace = complete || pages.length() > m_openingPlace;
        if (path == m_opening && reachesPlace)
            showNewBook(pages, path, complete);
        return;
    }
    if (path != m_book)
        return;
    if (m_base > 0 && !m_heldOffset) {
        // The pages from the start replace those from the place once they hold the reader's
        // page; until then they make the page number's estimate more exact.
        if (complete || pages.length() > placeToHold()) {
            adoptPagesFromStart(pages, complete);
        } else {
            m_pagesFromStart = pages;
            emit positionChanged();
        }
        return;
    }
    if (m_heldOffset) {
        // Until the new cut reaches the held place, the page at hand still shows it.
        if (complete || pages.length() > *m_heldOffset)
            adoptRecut(pages, complete);
        return;
    }
    // The first pages of a book opened at its start were cut from its head alone, which may
    // have joined its lines otherwise than the whole book does.
    const bool joinedOtherwise = m_joinedLineEnds != m_comingJoinedLineEnds;
    m_joinedLineEnds = m_comingJoinedLineEnds;
    // Otherwise another wave of the same cut: only the pages beyond those at hand are added.
    if (joinedOtherwise) {
        m_pages = pages;
        ++m_cut;
    } else
        m_pages.extendTo(pages);
    m_complete = complete;
    if (joinedOtherwise)
        emit pagesReplaced();
    else
        emit pagesExtended();
    emit positionChanged();
    continueSearch();
    if (m_pendingRequest && (complete || !liesBeyondCut(*m_pendingRequest)))
        applyPendingRequest();
}

void ReadingSession::showNewBook(const PagedText &pages, const QString &path, bool complete,
                                 qsizetype base)
{
    m_opening.clear();
    m_book = path;
    m_bookEncoding = m_openingEncoding;
    m_pages = pages;
    m_joinedLineEnds = m_comingJoinedLineEnds;
    m_base = base;
    ++m_cut;
    m_standInEnd = 0;
    m_pagesFromStart = {};
    m_pagesFormat = m_format;
    m_complete = complete;
    m_textLength = m_openingTextLength;
    m_page = pageAt(m_openingPlace);
    m_anchor = qMin(m_openingPlace, offsetOf(m_pages.size()));
    m_sourcePages = {};
    m_heldOffset.reset();
    m_pendingRequest.reset();
    m_chapters = std::exchange(m_openingChapters, {});
    m_matchStart = -1;
    emit bookShown(path);
    emit chaptersChanged();
    emit positionChanged();
}

void ReadingSession::adoptPagesFromStart(const PagedText &pages, bool complete)
{
    const qsizetype held = placeToHold();
    const bool onStandIn = held != m_anchor;
    m_pages = pages;
    m_joinedLineEnds = m_comingJoinedLineEnds;
    m_base = 0;
    ++m_cut;
    m_standInEnd = 0;
    m_pagesFromStart = {};
    m_complete = complete;
    m_page = pageAt(held);
    if (onStandIn)
        m_anchor = offsetOf(m_page);
    emit pagesReplaced();
    emit positionChanged();
    if (m_pendingRequest && (complete || !liesBeyondCut(*m_pendingRequest)))
        applyPendingRequest();
}

// The reader turned to a page cut back from the place stays on the text on show: the page
// replacing it is the one holding the middle of that text, and the place becomes its start.
// Elsewhere the reader's place is held as it is.
qsizetype ReadingSession::placeToHold() const
{
    const qsizetype start = offsetOf(m_page);
    if (start < m_standInEnd && m_anchor == start)
        return start + (offsetOf(m_page + 1) - start) / 2;
    return m_anchor;
}

void ReadingSession::adoptRecut(const PagedText &pages, bool complete)
{
    m_pages = pages;
    m_joinedLineEnds = m_comingJoinedLineEnds;
    m_base = 0;
    ++m_cut;
    m_standInEnd = 0;
    m_pagesFromStart = {};
    m_sourceBase = 0;
    m_pagesFormat = m_format;
    m_complete = complete;
    m_page = pageAt(*m_heldOffset);
    m_heldOffset.reset();
    m_sourcePages = {};
    emit pagesReplaced();
    emit positionChanged();
    if (m_pendingRequest && (complete || !liesBeyondCut(*m_pendingRequest)))
        applyPendingRequest();
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
    return m_base + m_pages.startOf(page);
}

int ReadingSession::pageAt(qsizetype offset) const
{
    return m_pages.pageAt(offset - m_base);
}

// ---- Moving through the book ---------------------------------------------------------

void ReadingSession::setPagesPerTurn(int pages)
{
    m_pagesPerTurn = qMax(1, pages);
}

void ReadingSession::next()
{
    request(Step{ m_pagesPerTurn });
}

void ReadingSession::previous()
{
    request(Step{ -m_pagesPerTurn });
}

void ReadingSession::first()
{
    request(ToFirst{});
}

void ReadingSession::last()
{
    request(ToLast{});
}

void ReadingSession::goTo(int page)
{
    goTo(pageNumbers(), page);
}

// A number of a cut no longer on show (a cut anew started or ended since it was offered) means
// the page shown under it, held at its first character.
void ReadingSession::goTo(const PageNumbers &numbers, int page)
{
    if (numbers.estimated || (numbers.cut == m_cut && !m_heldOffset))
        request(ToPage{ page });
    else if (!numbers.pages.empty())
        request(ToPlace{ numbers.base + numbers.pages.startOf(qBound(0, page, numbers.pages.size() - 1)) });
}

void ReadingSession::goToPlace(qsizetype place)
{
    request(ToPlace{ qMax<qsizetype>(place, 0) });
}

void ReadingSession::find(const QString &text)
{
    if (!text.isEmpty())
        request(FindNext{ text });
}

void ReadingSession::goToMatch(qsizetype offset, qsizetype length)
{
    if (offset >= 0 && length > 0)
        request(ToMatch{ offset, length });
}

void ReadingSession::findPrevious(const QString &text)
{
    if (!text.isEmpty())
        request(FindPrevious{ text });
}

void ReadingSession::goToChapter(int chapter)
{
    if (chapter >= 0 && chapter < int(m_chapters.size()))
        request(ToChapter{ chapter });
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

// The first heading on the reader's page names it; a page without one belongs to the chapter
// before it.
int ReadingSession::currentChapter() const
{
    const qsizetype start = startOfPage();
    const int before = ChapterDetector::chapterAt(m_chapters, start);
    if (before >= 0 && m_chapters[size_t(before)].offset == start)
        return before;
    const int next = before + 1;
    if (next < int(m_chapters.size()) && m_chapters[size_t(next)].offset < endOfPage())
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
// replaces what waits. While a book is still being cut, a move beyond its pages at hand waits
// for them, until another move replaces it; steps beyond them add up the same way.
void ReadingSession::request(const Request &request)
{
    const auto *step = std::get_if<Step>(&request);
    auto *waitingStep = m_pendingRequest ? std::get_if<Step>(&*m_pendingRequest) : nullptr;
    if (m_heldOffset) {
        if (step && waitingStep)
            waitingStep->count += step->count;
        else
            m_pendingRequest = request;
        return;
    }
    if (m_pages.empty())
        return;
    if (step && waitingStep) {
        waitingStep->count += step->count;
        return;
    }
    m_pendingRequest.reset();
    if (!m_complete && liesBeyondCut(request))
        m_pendingRequest = request;
    else
        apply(request);
}

// Before the pages from the start are there, only the pages at hand can be reached; the last
// page is the last one once all are cut; a search goes on into the pages still to come by itself.
bool ReadingSession::liesBeyondCut(const Request &request) const
{
    const bool fromStart = m_base == 0;
    if (const auto *step = std::get_if<Step>(&request))
        return (!fromStart && m_page + step->count < 0) || m_page + step->count >= m_pages.size();
    if (const auto *page = std::get_if<ToPage>(&request))
        return !fromStart || page->page >= m_pages.size();
    if (std::holds_alternative<ToLast>(request))
        return true;
    if (const auto *place = std::get_if<ToPlace>(&request))
        return liesOutsidePages(place->offset);
    if (const auto *match = std::get_if<ToMatch>(&request))
        return liesOutsidePages(match->offset);
    if (const auto *chapter = std::get_if<ToChapter>(&request))
        return chapterLiesOutsidePages(chapter->index);
    return !fromStart;
}

bool ReadingSession::liesOutsidePages(qsizetype offset) const
{
    return offset < m_base || offset >= offsetOf(m_pages.size());
}

bool ReadingSession::chapterLiesOutsidePages(int chapter) const
{
    return chapter < int(m_chapters.size()) && liesOutsidePages(m_chapters[size_t(chapter)].offset);
}

// The request is taken out first: applying it may keep another one.
void ReadingSession::applyPendingRequest()
{
    const Request request = *m_pendingRequest;
    m_pendingRequest.reset();
    apply(request);
}

void ReadingSession::apply(const Request &request)
{
    if (!std::holds_alternative<FindNext>(request))
        m_pendingSearch.reset();
    std::visit([this](const auto &what) { perform(what); }, request);
}

// A turn forward never lands on a page already on show.
void ReadingSession::perform(const Step &step)
{
    const int target = qBound(0, m_page + step.count, m_pages.size() - 1);
    const bool onShow = target >= m_page && target < m_page + m_pagesPerTurn;
    if (!onShow)
        turnTo(target, target > m_page);
}

void ReadingSession::perform(const ToFirst &)
{
    turnTo(0, false);
}

void ReadingSession::perform(const ToLast &)
{
    turnTo(m_pages.size() - 1, true);
}

void ReadingSession::perform(const ToPage &page)
{
    const int target = qBound(0, page.page, m_pages.size() - 1);
    turnTo(target, target > m_page);
}

void ReadingSession::perform(const ToPlace &place)
{
    moveTo(place.offset);
}

void ReadingSession::perform(const ToChapter &chapter)
{
    if (chapter.index < int(m_chapters.size()))
        moveTo(m_chapters[size_t(chapter.index)].offset);
}

void ReadingSession::perform(const ToMatch &match)
{
    showMatch(match.offset, match.length);
}

// From right after the last match when it is on show, else from the next page.
void ReadingSession::perform(const FindNext &find)
{
    const qsizetype from = matchOnPage() >= 0 ? m_matchStart + m_matchLength : offsetOf(m_page + 1);
    m_pendingSearch = PendingSearch{ find.text, from };
    continueSearch();
}

// Backward through the pages at hand: before the match on show, or else before
// the page, then from the last page cut so far back to the reader's.
void ReadingSession::perform(const FindPrevious &find)
{
    m_pendingSearch.reset();
    const qsizetype before = matchOnPage() >= 0 ? m_matchStart : offsetOf(m_page);
    const TextFinder finder(find.text);
    const TextFinder::Match match = finder.previousWrapping(m_pages.text(), before - m_base);
    if (!match.isValid()) {
        setMatch(-1, 0);
        tell([this, text = find.text] { emit textNotFound(text); });
        return;
    }
    showMatch(m_base + match.offset, finder.length());
    if (match.wrapped)
        tell([this] { emit searchWrapped(); });
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
                      offsetOf(m_pages.size()));
}

// Looks through the text not searched yet. A match may begin in the last characters cut so
// far and run on into the pages still to come, so those are searched again with them. At the
// end of a book whose pages are all cut, goes round to its start.
void ReadingSession::continueSearch()
{
    if (!m_pendingSearch)
        return;
    PendingSearch &search = *m_pendingSearch;
    const TextFinder finder(search.text);
    const qsizetype at = finder.next(m_pages.text(), search.from - m_base);
    if (at >= 0) {
        m_pendingSearch.reset();
        showMatch(m_base + at, finder.length());
        return;
    }
    if (!m_complete) {
        search.from = qMax(search.from, offsetOf(m_pages.size()) - finder.length() + 1);
        return;
    }
    m_pendingSearch.reset();
    const qsizetype round = finder.next(m_pages.text(), 0);
    if (round < 0) {
        setMatch(-1, 0);
        tell([this, text = finder.query()] { emit textNotFound(text); });
        return;
    }
    // Going round turns back to the first page holding the text, also when it is the
    // reader's own.
    setMatch(m_base + round, finder.length());
    turnTo(pageShowing(pageAt(m_matchStart)), false);
    m_anchor = m_matchStart;
    tell([this] { emit searchWrapped(); });
}

// The page holding the match's start is shown, however far the match runs on.
void ReadingSession::showMatch(qsizetype offset, qsizetype length)
{
    setMatch(offset, length);
    const int page = pageShowing(pageAt(offset));
    if (page != m_page)
        turnTo(page, page > m_page);
    m_anchor = m_matchStart;
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

// The reader's page that shows a page: the reader's own while it is on show, as the second
// page of a spread is; else the first of the pages shown together with it, the pages paired
// as they are now.
int ReadingSession::pageShowing(int page) const
{
    if (page >= m_page && page < m_page + m_pagesPerTurn)
        return m_page;
    const int pastPair = ((page - m_page) % m_pagesPerTurn + m_pagesPerTurn) % m_pagesPerTurn;
    return qMax(0, page - pastPair);
}

// Where the last match lies from the start of the reader's page, or -1 when it is on no page
// on show.
qsizetype ReadingSession::matchOnPage() const
{
    if (m_matchStart < 0 || m_pages.empty())
        return -1;
    const int shownEnd = qMin(m_page + m_pagesPerTurn, int(m_pages.size()));
    const qsizetype inPage = m_matchStart - offsetOf(m_page);
    return inPage >= 0 && m_matchStart < offsetOf(shownEnd) ? inPage : -1;
}

void ReadingSession::setMatch(qsizetype offset, qsizetype length)
{
    m_matchStart = offset;
    m_matchLength = offset < 0 ? 0 : length;
    emit matchChanged();
}
