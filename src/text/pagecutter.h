#ifndef PAGECUTTER_H
#define PAGECUTTER_H

#include <QString>
#include <QStringView>

#include <vector>

// A measured piece of a book: a whole paragraph, or, for a paragraph too long or too tall
// for one page, a run of its wrapped lines. Only the last piece of a paragraph ends it. A
// heading's first run starts a page (it is only marked so when headings are to start pages).
struct TextRun
{
    QStringView text;
    qreal height = 0.0;
    bool endsParagraph = true;
    bool isHeading = false;
    // Space above the run unless it comes first on its page.
    qreal spaceBefore = 0.0;
    // How many of the runs with a height after this one go on the same page with it.
    int keepWithNext = 0;
};

// Fills pages with measured runs, in reading order: a run that would overflow the page
// starts the next one, and so does a heading. A run kept with the runs after it moves on to
// the next page with them when they do not all fit. A paragraph's end is written as "\n", so
// the pages joined give back the text they were cut from with "\n" line ends. Blank lines at
// a page's top are not drawn (PageRenderer), so they take no room there; blank lines after a
// book's last text stay on its last page of text rather than make a blank page of their own.
class PageCutter
{
public:
    // Pages are kept as texts of their own unless only their lengths are asked for: a big
    // book's text is then held once, by whoever cut it (see PagedText).
    enum class Keep { Texts, LengthsOnly };

    explicit PageCutter(qreal pageHeight, Keep keep = Keep::Texts);

    void add(const TextRun &run);
    // Closes the last page. A book without text still gets one, empty, page.
    void finish();

    const std::vector<QString> &pages() const { return m_pages; }
    std::vector<QString> takePages();
    const std::vector<qsizetype> &pageLengths() const { return m_lengths; }

private:
    void place(const TextRun &run);
    void placeKept();
    void closePage();
    QString textOfPage(qsizetype length) const;
    void moveBlankLinesToLastPage();

    qreal m_pageHeight;
    Keep m_keep;
    std::vector<QString> m_pages;
    std::vector<qsizetype> m_lengths;
    std::vector<TextRun> m_page;
    qreal m_filled = 0.0;
    bool m_pageHasText = false;
    std::vector<TextRun> m_kept;
    int m_keeping = 0;
};

#endif
