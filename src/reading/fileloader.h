#ifndef FILELOADER_H
#define FILELOADER_H

#include "bookdecoder.h"
#include "bookfingerprint.h"
#include "chapterrule.h"
#include "paginator.h"

#include <QObject>
#include <QString>
#include <QThreadPool>

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

// Where a book is opened: a place (a character offset), and a line start at or before it
// that the library keeps for the content with the fingerprint given. With both, the text
// around the place is decoded and cut first (FileLoader::pagesCutAt); without, the head of
// the book.
struct OpeningPlace
{
    qsizetype offset = 0;
    TextAnchor anchor;
    BookFingerprint fingerprint;
};

// Reads, decodes and paginates books on worker threads and hands the pages back on the
// thread the loader lives in, as views of the book's one text: the first pages as soon as they are cut (pagesCut), more as
// the cutting goes on, then the whole book (fileLoaded), or why the book cannot be shown
// (loadFailed, in the reader's language). Starting a load or a re-cut supersedes the one
// before it: the older task stops at its next check and reports nothing more.
//
// A book is read and decoded on a thread of its own that nobody waits for, since reading
// may hang in the operating system (a pipe, a stalled network mount); one book is read at a
// time, and loads superseded while waiting for their turn never start. The cutting runs on
// the loader's pools, and destroying the loader waits only for those, which stop at once.
class FileLoader : public QObject
{
    Q_OBJECT

public:
    // Larger files are refused instead of exhausting memory.
    static constexpr qint64 MaxFileSize = qint64(1) << 30;

    explicit FileLoader(QObject *parent = nullptr);
    ~FileLoader() override;

    // An empty encoding lets the decoder tell the book's encoding; another one is used as it is.
    void loadFile(const QString &filePath, const PageFormat &format,
                  const QByteArray &forcedEncoding = QByteArray(),
                  const OpeningPlace &place = OpeningPlace());
    // Cuts the pages of a book anew for another format, without reading the file again.
    void repaginate(const PagedText &pages, const QString &filePath, const PageFormat &format);
    // Stops the running load or re-cut at its next check; it reports nothing more.
    void cancel();
    // Where the chapter rule of each book is looked up when a load or re-cut of it starts;
    // without, headings are found automatically.
    void setChapterRules(std::function<ChapterRule(const QString &)> ruleOf);
    // Where the clean-up rules the book layout sets a book with are looked up, the same way;
    // without, the built-in rules.
    void setCleanupRules(std::function<std::vector<CleanupRule>(const QString &)> rulesOf);

signals:
    // The pages cut so far of a book still being cut, the first of them included.
    void pagesCut(PagedText pages, QString filePath);
    // The pages around the place a book is opened at, before those from its start: the first
    // starts at the offset, and the one numbered placePage at the place, which is where a page
    // of the whole book's cut begins when the place was a page's start in the same format.
    // The pages before it are cut back from the place, a stand-in for those of the whole
    // book's cut until the cut from the start reaches them.
    void pagesCutAt(PagedText pages, QString filePath, qsizetype offset, int placePage);
    void fileLoaded(PagedText pages, QString filePath);
    // Line starts of the book just decoded, each with its offset in the text the pages hold.
    void anchorsFound(QString filePath, std::vector<TextAnchor> anchors);
    void loadProgress(int percent);
    void loadFailed(QString filePath, QString reason);
    void pagesRecut(PagedText pages, QString filePath);
    // The book was read and decoded, before its first pages are cut: its fingerprint, the
    // encoding it was read in, and how many of its bytes could not be read in it.
    void bookDecoded(QString filePath, BookFingerprint fingerprint, QString encoding,
                     qsizetype undecodableBytes);
    // The headings of a book being loaded or cut anew, before the first pages cut from its
    // whole text (a large book's first part is cut before they are known).
    void chaptersFound(QString filePath, std::vector<Chapter> chapters);
    // The length of the whole text of a book being loaded or cut anew, before its first pages;
    // for a large book first as its first part suggests, then, before the first pages cut from
    // its whole text, exactly.
    void textLengthFound(QString filePath, qsizetype length);
    // The line ends the pages about to be handed over are set across, sorted offsets in the
    // text of the pages; none for a book whose lines are its paragraphs.
    void lineEndsJoined(QString filePath, std::vector<qsizetype> joinedLineEnds);

private:
    struct Shared;
    struct Task;

    Task newTask(const QString &filePath, const PageFormat &format,
                 const QByteArray &forcedEncoding = QByteArray(),
                 const OpeningPlace &place = OpeningPlace());
    static void readOnOwnThread(const Task &task);
    static BookDecoder::Result readAndDecode(const Task &task, QString *error,
                                             BookFingerprint *fingerprint, qsizetype *firstCut);
    static qsizetype cutAroundPlace(const Task &task);
    static qsizetype endOfWindow(const QString &text, qsizetype from);
    static std::vector<QString> pagesBefore(const Task &task, QStringView text, qsizetype longestPage,
                                            std::vector<qsizetype> *joinedLineEnds);
    static qsizetype startOfPageEndingAt(const Task &task, QStringView text, qsizetype end,
                                         qsizetype longestPage);
    static int pagesHolding(const Task &task, QStringView text);
    static QString textOfWindow(QByteArrayView bytes, const QByteArray &encoding, bool endsFile);
    static std::vector<TextAnchor> anchorsInPages(const QString &text,
                                                  const std::vector<TextAnchor> &anchors,
                                                  const std::vector<QStringView> &paragraphs);
    static void reportDecoded(const Task &task, const BookDecoder::Result &decoded,
                              const BookFingerprint &fingerprint);
    void runLoad(const Task &task, QString text, const std::vector<TextAnchor> &anchors,
                 const QString &error, qsizetype firstCut);
    static void makeTextOfPages(QString &text);
    void runRecut(const Task &task, const PagedText &pages);
    PagedText cutProgressively(const Task &task, const QString &text,
                               const std::vector<TextRun> &pieces, qsizetype firstCut);
    void post(const Task &task, std::function<void()> emission);
    static std::vector<QStringView> paragraphsToSet(const Task &task, QStringView text,
                                                    const std::vector<QStringView> &lines,
                                                    std::vector<qsizetype> *joinedLineEnds);
    void reportJoins(const Task &task, std::vector<qsizetype> joinedLineEnds);
    static std::vector<Chapter> headingsFor(const Task &task, const std::vector<Chapter> &chapters);

    // Outlives the loader as long as a reading thread holds it.
    std::shared_ptr<Shared> m_shared;
    std::function<ChapterRule(const QString &)> m_chapterRules;
    std::function<std::vector<CleanupRule>(const QString &)> m_cleanupRules;
    QThreadPool m_pool;
    QThreadPool m_measuringPool;
};

#endif
