#include "readingsession.h"

#include "fileloader.h"

namespace {

// Text enough to fill one page at the smallest size on the largest screen.
constexpr qsizetype ProvisionalTextLength = 32 * 1024;

bool sameFormat(const PageFormat &a, const PageFormat &b)
{
    return a.font == b.font && a.textArea == b.textArea;
}

}

ReadingSession::ReadingSession(QObject *parent)
    : QObject(parent)
    , m_loader(new FileLoader(this))
{
    connect(m_loader, &FileLoader::pagesCut, this, &ReadingSession::onPagesCut);
    connect(m_loader, &FileLoader::fileLoaded, this, &ReadingSession::onFileLoaded);
    connect(m_loader, &FileLoader::pagesRecut, this, &ReadingSession::onPagesRecut);
    connect(m_loader, &FileLoader::loadFailed, this, &ReadingSession::onLoadFailed);
}

ReadingSession::State ReadingSession::state() const
{
    if (m_book.isEmpty())
        return State::Empty;
    return m_heldOffset ? State::Recutting : State::Reading;
}

qsizetype ReadingSession::place() const
{
    if (m_heldOffset)
        return *m_heldOffset;
    return m_pages.empty() ? 0 : Paginator::offsetOfPage(m_pages, m_page);
}

int ReadingSession::pageNumber() const
{
    if (m_heldOffset)
        return Paginator::pageAtOffset(m_sourcePages, *m_heldOffset) + 1;
    return m_pages.empty() ? 0 : m_page + 1;
}

int ReadingSession::pageCount() const
{
    return int(m_heldOffset ? m_sourcePages.size() : m_pages.size());
}

qsizetype ReadingSession::textLength() const
{
    const std::vector<QString> &pages = m_heldOffset ? m_sourcePages : m_pages;
    return Paginator::offsetOfPage(pages, int(pages.size()));
}

// ---- Opening and cutting -------------------------------------------------------------

void ReadingSession::open(const QString &path, qsizetype place, const QByteArray &encoding)
{
    m_opening = path;
    m_openingPlace = qMax<qsizetype>(place, 0);
    m_openingEncoding = encoding;
    m_pendingSearch.reset();
    m_loader->loadFile(path, m_format, encoding);
}

void ReadingSession::close()
{
    m_loader->cancel();
    m_opening.clear();
    m_book.clear();
    m_bookEncoding.clear();
    m_pages.clear();
    m_complete = true;
    m_page = 0;
    m_sourcePages.clear();
    m_heldOffset.reset();
    m_pendingRequest.reset();
    m_pendingSearch.reset();
    emit closed();
    emit positionChanged();
}

// Pages depend on the font and the text area they are drawn in. A book being opened is
// loaded again for the new format; the book on show is cut anew while the page that begins
// with the reader's first character stands in for their page.
void ReadingSession::setFormat(const PageFormat &format)
{
    if (sameFormat(format, m_format))
        return;
    m_format = format;
    if (!m_opening.isEmpty())
        m_loader->loadFile(m_opening, m_format, m_openingEncoding);
    if (m_book.isEmpty())
        return;
    if (!m_heldOffset) {
        m_heldOffset = Paginator::offsetOfPage(m_pages, m_page);
        m_sourcePages = m_pages;
        m_sourceComplete = m_complete;
        if (m_pendingSearch)
            m_pendingRequest = Request{ Request::Find, 0, std::exchange(m_pendingSearch, {})->text };
    }
    m_pages = { pageStartingAt(*m_heldOffset) };
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
    m_heldOffset = place();
    m_sourcePages = m_pages;
    m_sourceComplete = false;
    m_loader->loadFile(m_book, m_format, m_bookEncoding);
}

// One page in the current format from the text at an offset, out of the pages at hand.
QString ReadingSession::pageStartingAt(qsizetype offset) const
{
    const int page = Paginator::pageAtOffset(m_sourcePages, offset);
    QString text = m_sourcePages[page].mid(offset - Paginator::offsetOfPage(m_sourcePages, page));
    for (int next = page + 1; next < int(m_sourcePages.size()) && text.size() < ProvisionalTextLength; ++next)
        text += m_sourcePages[next];
    const std::vector<QString> pages = Paginator(m_format).paginate(Paginator::paragraphsOfPages(text));
    return pages.empty() ? QString() : pages.front();
}

void ReadingSession::onPagesCut(std::vector<QString> pages, const QString &path)
{
    receivePages(std::move(pages), path, false);
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
    if (m_heldOffset) {
        // Until the new cut reaches the held place, the page at hand still shows it.
        if (complete || Paginator::offsetOfPage(pages, int(pages.size())) > *m_heldOffset)
            adoptRecut(std::move(pages), complete);
        return;
    }
    m_pages = std::move(pages);
    m_complete = complete;
    emit pagesExtended();
    emit positionChanged();
    continueSearch();
}

void ReadingSession::showNewBook(std::vector<QString> pages, const QString &path, bool complete)
{
    m_opening.clear();
    m_book = path;
    m_bookEncoding = m_openingEncoding;
    m_pages = std::move(pages);
    m_pagesFormat = m_format;
    m_complete = complete;
    m_page = Paginator::pageAtOffset(m_pages, m_openingPlace);
    m_sourcePages.clear();
    m_heldOffset.reset();
    m_pendingRequest.reset();
    emit bookShown(path);
    emit positionChanged();
}

void ReadingSession::adoptRecut(std::vector<QString> pages, bool complete)
{
    m_pages = std::move(pages);
    m_pagesFormat = m_format;
    m_complete = complete;
    m_page = Paginator::pageAtOffset(m_pages, *m_heldOffset);
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
    if (!m_opening.isEmpty()) {
        if (path != m_opening)
            return;
        m_opening.clear();
        if (m_heldOffset)
            startRecut();
        else if (!m_book.isEmpty() && !m_complete)
            resumeCut();
        emit openFailed(path, reason);
        return;
    }
    // The book on show could not be read again for its re-cut (it was deleted or damaged
    // since): what was cut of it before is cut anew instead.
    if (path == m_book && m_heldOffset && !m_sourceComplete) {
        m_sourceComplete = true;
        startRecut();
    }
}

// ---- Moving through the book ---------------------------------------------------------

void ReadingSession::next()
{
    request({ Request::Step, 1, {} });
}

void ReadingSession::previous()
{
    request({ Request::Step, -1, {} });
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

void ReadingSession::find(const QString &text)
{
    if (!text.isEmpty())
        request({ Request::Find, 0, text });
}

// While the book is cut anew, requests wait for the new pages; steps add up, anything else
// replaces what waits.
void ReadingSession::request(const Request &request)
{
    if (m_heldOffset) {
        if (request.kind == Request::Step && m_pendingRequest && m_pendingRequest->kind == Request::Step)
            m_pendingRequest->value += request.value;
        else
            m_pendingRequest = request;
        return;
    }
    if (!m_pages.empty())
        apply(request);
}

void ReadingSession::apply(const Request &request)
{
    const int lastPage = int(m_pages.size()) - 1;
    if (request.kind != Request::Find)
        m_pendingSearch.reset();
    switch (request.kind) {
    case Request::Step: {
        const int target = qBound(0, m_page + request.value, lastPage);
        if (target != m_page)
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
    case Request::Find:
        m_pendingSearch = PendingSearch{ request.text, m_page, m_page + 1 };
        continueSearch();
        break;
    }
}

void ReadingSession::turnTo(int page, bool forward)
{
    m_page = page;
    emit pageTurned(page, forward);
    emit positionChanged();
}

// Looks through the pages not searched yet; at the end of a book whose pages are all cut,
// goes on from its first page up to the one the search started on.
void ReadingSession::continueSearch()
{
    if (!m_pendingSearch)
        return;
    PendingSearch &search = *m_pendingSearch;
    const auto holds = [this, text = search.text](int page) {
        return m_pages[page].contains(text, Qt::CaseInsensitive);
    };
    for (; search.searchedUpTo < int(m_pages.size()); ++search.searchedUpTo) {
        if (holds(search.searchedUpTo)) {
            const int found = search.searchedUpTo;
            m_pendingSearch.reset();
            turnTo(found, true);
            return;
        }
    }
    if (!m_complete)
        return;
    const PendingSearch finished = *std::exchange(m_pendingSearch, {});
    for (int page = 0; page <= finished.startPage && page < int(m_pages.size()); ++page) {
        if (holds(page)) {
            turnTo(page, false);
            emit searchWrapped();
            return;
        }
    }
    emit textNotFound(finished.text);
}
