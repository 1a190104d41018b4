#ifndef PAGEDTEXT_H
#define PAGEDTEXT_H

#include <QMetaType>
#include <QString>
#include <QStringView>

#include <initializer_list>
#include <vector>

// A book's text and where it is cut into pages, held once and shared: copies share the
// characters (QString is implicitly shared and the text is never changed in place), so the
// session, the page widget and a search on a worker thread all read the same text. Pages
// cover the text from its start without gaps, each line end "\n"; while a book is still
// being cut they cover only a head of it, and more pages are added as the cut goes on
// without touching those before.
class PagedText
{
public:
    PagedText() = default;
    // The text and the lengths of the pages cut from its start so far.
    PagedText(const QString &text, const std::vector<qsizetype> &pageLengths);
    // Pages given as texts of their own, as a list of pages was given before there was one
    // text: joined into one.
    PagedText(const std::vector<QString> &pages);
    PagedText(std::initializer_list<QString> pages) : PagedText(std::vector<QString>(pages)) { }

    // Another page, of the given length, after the last one.
    void appendPage(qsizetype length);
    // The pages of another cut of the same text that lie beyond those held, added to them.
    void extendTo(const PagedText &longer);

    int size() const { return int(m_starts.size()); }
    bool empty() const { return m_starts.empty(); }
    QStringView page(int page) const;
    // A page's text as a string of its own, for code that keeps one.
    QString operator[](int page) const { return at(page); }
    QString at(int page) const { return this->page(page).toString(); }
    QString front() const { return at(0); }
    std::vector<QString> pageTexts() const;

    // Offsets into the text: where a page starts (one past the last page: where the pages
    // end), and the page holding an offset (the last one for offsets beyond it).
    qsizetype startOf(int page) const;
    int pageAt(qsizetype offset) const;
    // How far into the text the pages reach.
    qsizetype length() const { return m_end; }
    // The text the pages cover, across page breaks.
    QStringView text() const { return QStringView(m_text).first(m_end); }
    // The whole text held, also the part not cut into pages yet.
    const QString &wholeText() const { return m_text; }

    bool operator==(const PagedText &other) const;
    bool operator!=(const PagedText &other) const { return !(*this == other); }

private:
    QString m_text;
    std::vector<qsizetype> m_starts;
    qsizetype m_end = 0;
};

Q_DECLARE_METATYPE(PagedText)

#endif
