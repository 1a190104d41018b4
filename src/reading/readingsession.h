#ifndef READINGSESSION_H
#define READINGSESSION_H

#include "bookfingerprint.h"
#include "pagedtext.h"
#include "paginator.h"
#include "textanchor.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>
#include <variant>
#include <vector>

class FileLoader;

// The book on show, its pages and where the reader is in it, kept in one place. Pages are
// cut by the loader for a page format; whatever order opens, format changes, failures and
// page turns come in, once the loader is done the pages on show were cut for the current
// format and hold the reader's place.
//
// States:
// - Empty: no book on show (a book may be opening).
// - Reading: pages of the book on show in the current format, possibly still being cut
//   further; a newly opened book may be loading meanwhile.
// - Recutting: the book on show is cut anew for another format. One page cut at once from
//   the text at hand shows the reader's held place; turns and searches asked for meanwhile
//   are kept (the latest wins) and applied when the new pages reach the place.
// A move to a place not cut yet (a chapter, a bookmark, a page, the last page) is kept the
// same way while a book is still being cut, and applied once its pages are there.
class ReadingSession : public QObject
{
    Q_OBJECT

public:
    enum class State { Empty, Reading, Recutting };

    explicit ReadingSession(QObject *parent = nullptr);

    State state() const;
    // The book whose pages are on show, and the one being opened (empty when none).
    QString book() const { return m_book; }
    QString openingBook() const { return m_opening; }
    // The pages on show: views of the book's one text, shared with whoever keeps a copy.
    const PagedText &pages() const { return m_pages; }
    int page() const { return m_page; }
    // Whether the page count is final: while pages are cut anew, that of the cut before.
    bool isComplete() const { return m_heldOffset ? m_sourceComplete : m_complete; }
    PageFormat format() const { return m_format; }
    // The format the pages on show were cut for.
    PageFormat pagesFormat() const { return m_pagesFormat; }
    // Where the reader is, as a character offset in the text: set only by the reader's own
    // moves (the first character of a page turned to, a heading, a match, a bookmark's place)
    // and kept through every re-layout, whose page is then the one holding it.
    qsizetype place() const;
    // The page number and count the label names: while pages are cut anew, those of the
    // reader's page in the cut before.
    int pageNumber() const;
    // Whether pageNumber() and pageCount() are exact: not while only the pages around the
    // place a book was opened at are cut; they are then estimated from the place's share of
    // the text and the length of the pages cut so far.
    bool isPageNumberKnown() const;
    int pageCount() const;
    // The page numbers the reader is shown, as a jump dialog offers them: a number chosen
    // from them means the page shown under it, also when the pages were cut anew meanwhile.
    struct PageNumbers
    {
        int current = 0;
        int count = 0;
        bool estimated = false;
        PagedText pages; // the pages they count, the first at base
        qsizetype base = 0;
        quint64 cut = 0; // which of the session's cuts they count
    };
    PageNumbers pageNumbers() const;
    FileLoader *loader() const { return m_loader; }
    // How many characters the whole text holds, known once the book is decoded; until then,
    // how many the pages at hand hold.
    qsizetype textLength() const;
    // The encoding the book on show was asked to be read in; empty for the detected one.
    QByteArray encoding() const { return m_bookEncoding; }

    // The headings of the book on show, and those its pages on show were cut with (none when
    // chapters did not start pages, or while a page stands in for the reader's place).
    const std::vector<Chapter> &chapters() const { return m_chapters; }
    std::vector<Chapter> pageHeadings() const;
    // The line ends the pages on show are set across (sorted offsets in their text; none
    // while a page stands in for the reader's place).
    std::vector<qsizetype> pageJoinedLineEnds() const;
    // The chapter whose heading is on the reader's page, or else the one the page lies in;
    // -1 before the first heading or in a book without headings.
    int currentChapter() const;

    // Opens a book at a place (a character offset; one past its end means its last page),
    // in an encoding (empty to detect it). The book on show stays until the new one's cut
    // reaches the place. With a line start near the place that the library kept for the
    // content with the fingerprint given, the pages from the place show before those from
    // the start are cut.
    void open(const QString &path, qsizetype place = 0, const QByteArray &encoding = QByteArray(),
              const TextAnchor &anchor = TextAnchor(), const BookFingerprint &fingerprint = BookFingerprint());
    void setFormat(const PageFormat &format);
    // How many pages are shown at once, two when side by side: a turn moves by that many (a
    // turn forward never lands on a page already on show), and as many pages cut at once
    // stand in for the reader's place while the book is cut anew.
    void setPagesPerTurn(int pages);
    int pagesPerTurn() const { return m_pagesPerTurn; }
    // Cuts the book on show (or being opened) anew in the same format, as after its chapter
    // rule changed, keeping the reader's place.
    void cutAnew();
    void next();
    void previous();
    void first();
    void last();
    // While pages are cut anew, the page number is one of the cut before, as the label names;
    // an estimated number is one of the whole book's cut.
    void goTo(int page);
    void goTo(const PageNumbers &numbers, int page);
    // The page holding a place (a character offset), such as a bookmark's.
    void goToPlace(qsizetype place);
    // Finds the text from the page after the reader's on, going on into pages still being
    // cut, then from the first page; letters match in either case, and a match may run over
    // a page break (its page is the one it starts on). When the last match found is on the
    // reader's page, the search goes on right after it instead, on the same page too.
    void find(const QString &text);
    // Finds the match before the last one found on the reader's page, or the last match
    // before the page, going on from the last page cut so far.
    void findPrevious(const QString &text);
    // Turns to the page holding a match found elsewhere (a result of BookSearch) and marks it.
    void goToMatch(qsizetype offset, qsizetype length);
    // The last match found, as an offset into the book's text, or -1.
    qsizetype matchStart() const { return m_matchStart; }
    qsizetype matchLength() const { return m_matchLength; }
    // Turns to the page holding a chapter's heading.
    void goToChapter(int chapter);
    void nextChapter();
    void previousChapter();
    void close();

signals:
    // The first pages of a newly opened book are on show, the reader on the page holding the
    // place it was opened at.
    void bookShown(const QString &path);
    // The pages were replaced in place: the reader's page is the same text, cut anew.
    void pagesReplaced();
    // More pages of the book on show were cut.
    void pagesExtended();
    void pageTurned(int page, bool forward);
    // The page number, the count or whether the count is final changed.
    void positionChanged();
    void openFailed(const QString &path, const QString &reason);
    void searchWrapped();
    void matchChanged();
    void textNotFound(const QString &text);
    void closed();
    // The headings of the book on show are known or changed.
    void chaptersChanged();

private:
    // What the reader asked for, kept while it cannot be done yet.
    struct Step { int count; };
    struct ToFirst {};
    struct ToLast {};
    struct ToPage { int page; };
    struct ToPlace { qsizetype offset; };
    struct ToChapter { int index; };
    struct ToMatch { qsizetype offset; qsizetype length; };
    struct FindNext { QString text; };
    struct FindPrevious { QString text; };
    using Request = std::variant<Step, ToFirst, ToLast, ToPage, ToPlace, ToChapter, ToMatch, FindNext,
                                 FindPrevious>;

    void loadOpeningBook();
    void onPagesCut(const PagedText &pages, const QString &path);
    void onPagesCutAt(const PagedText &pages, const QString &path, qsizetype offset, int placePage);
    void onFileLoaded(const PagedText &pages, const QString &path);
    void onPagesRecut(const PagedText &pages, const QString &path);
    void onLoadFailed(const QString &path, const QString &reason);
    void onChaptersFound(const QString &path, std::vector<Chapter> chapters);
    void onLineEndsJoined(const QString &path, std::vector<qsizetype> joinedLineEnds);
    void onTextLengthFound(const QString &path, qsizetype length);
    bool liesBeyondCut(const Request &request) const;
    bool liesOutsidePages(qsizetype offset) const;
    bool chapterLiesOutsidePages(int chapter) const;
    int estimatedNumberAt(qsizetype offset) const;
    qsizetype startOfNumberedPage() const;
    qsizetype placeToHold() const;
    qsizetype endOfPage() const;
    void receivePages(const PagedText &pages, const QString &path, bool complete);
    void showNewBook(const PagedText &pages, const QString &path, bool complete, qsizetype base = 0);
    void adoptPagesFromStart(const PagedText &pages, bool complete);
    qsizetype offsetOf(int page) const;
    int pageAt(qsizetype offset) const;
    void adoptRecut(const PagedText &pages, bool complete);
    void startRecut();
    void resumeCut();
    std::vector<QString> pagesStartingAt(qsizetype offset) const;
    void request(const Request &request);
    void applyPendingRequest();
    void apply(const Request &request);
    void perform(const Step &step);
    void perform(const ToFirst &);
    void perform(const ToLast &);
    void perform(const ToPage &page);
    void perform(const ToPlace &place);
    void perform(const ToChapter &chapter);
    void perform(const ToMatch &match);
    void perform(const FindNext &find);
    void perform(const FindPrevious &find);
    void turnTo(int page, bool forward);
    void moveTo(qsizetype place);
    qsizetype startOfPage() const;
    void continueSearch();
    void showMatch(qsizetype offset, qsizetype length);
    int pageShowing(int page) const;
    qsizetype matchOnPage() const;
    void setMatch(qsizetype offset, qsizetype length);
    void tell(std::function<void()> emission);

    FileLoader *m_loader;
    PageFormat m_format;

    QString m_book;
    PagedText m_pages;
    qsizetype m_base = 0; // where the first of the pages begins in the text
    PageFormat m_pagesFormat;
    bool m_complete = true;
    int m_page = 0;
    qsizetype m_anchor = 0;
    qsizetype m_textLength = 0; // 0 while not known
    // Bumped whenever the pages on show are replaced by another cut: page numbers change meaning.
    quint64 m_cut = 0;
    // While the pages on show were cut around the place a book was opened at: those cut back
    // from the place end here, and the pages cut from the start so far, which do not reach the
    // reader's page yet.
    qsizetype m_standInEnd = 0;
    PagedText m_pagesFromStart;

    // While the book on show is cut anew: the pages it was cut into before (the text to cut
    // from), whether those were all its pages, and the reader's place in them.
    PagedText m_sourcePages;
    qsizetype m_sourceBase = 0;
    bool m_sourceComplete = true;
    std::optional<qsizetype> m_heldOffset;
    std::optional<Request> m_pendingRequest;

    QString m_opening;
    std::vector<Chapter> m_chapters;
    std::vector<Chapter> m_openingChapters;
    // Those the pages on show were cut with, and those told with the pages the loader cuts next.
    std::vector<qsizetype> m_joinedLineEnds;
    std::vector<qsizetype> m_comingJoinedLineEnds;
    qsizetype m_openingPlace = 0;
    qsizetype m_openingTextLength = 0;
    QByteArray m_openingEncoding;
    TextAnchor m_openingAnchor;
    BookFingerprint m_openingFingerprint;
    QByteArray m_bookEncoding;
    // A search that found nothing in the pages cut so far waits for more.
    struct PendingSearch
    {
        QString text;
        qsizetype from; // where in the book the next match may start
    };
    qsizetype m_matchStart = -1;
    qsizetype m_matchLength = 0;
    std::optional<PendingSearch> m_pendingSearch;
    bool m_inLoaderHandler = false;
    int m_pagesPerTurn = 1;
};

#endif
