#ifndef PAGINATOR_H
#define PAGINATOR_H

#include <QFont>
#include <QSize>
#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

// What a page is cut for: the font the page widget draws with and the size of its text area.
struct PageFormat
{
    QFont font;
    QSize textArea;
};

// Cuts a book into pages of whole paragraphs (a paragraph is one line of the file). Each
// page holds the paragraphs that fit the text area one below the other, each followed by
// "\n"; a paragraph taller than the whole area stands alone on its page. Heights are the
// ones QPainter::drawText with Qt::TextWordWrap gives the page, so every page is shown whole.
class Paginator
{
public:
    explicit Paginator(const PageFormat &format);

    std::vector<QString> paginate(QStringView text) const;
    std::vector<QString> paginate(const std::vector<QStringView> &paragraphs,
                                  const std::function<bool()> &isCancelled = {}) const;

    // The heights of many paragraphs, laid out in parallel on Qt's global thread pool.
    // Stops early, leaving the rest 0, once isCancelled returns true.
    std::vector<qreal> paragraphHeights(const std::vector<QStringView> &paragraphs,
                                        const std::function<bool()> &isCancelled = {}) const;
    // Cuts paragraphs of known heights into pages: a cheap sequential pass.
    std::vector<QString> cutPages(const std::vector<QStringView> &paragraphs,
                                  const std::vector<qreal> &heights) const;

    // The pixel height a paragraph takes on the page, from the first pixel of its first
    // line to the start of whatever follows it.
    qreal paragraphHeight(QStringView paragraph) const;

    // The paragraphs of a text: it is split at "\r\n", "\n" and "\r", so a text that ends
    // with a line break ends with an empty paragraph.
    static std::vector<QStringView> paragraphsOf(QStringView text);
    // The paragraphs a page list was cut from, in order.
    static std::vector<QStringView> paragraphsOf(const std::vector<QString> &pages);

    // Where page starts lie in the text the pages were cut from ("\n" line ends).
    static qsizetype offsetOfPage(const std::vector<QString> &pages, int page);
    static int pageAtOffset(const std::vector<QString> &pages, qsizetype offset);

private:
    static QString joinParagraphs(const std::vector<QStringView> &paragraphs,
                                  size_t first, size_t last);

    PageFormat m_format;
    qreal m_leading;
};

#endif
