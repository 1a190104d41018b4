#ifndef THEME_H
#define THEME_H

#include <QColor>
#include <QString>
#include <QStringList>

// One palette for the whole window: the page's own two colours and those of everything
// around it. A theme without chrome colours leaves the window as the style sheet draws it.
class Theme
{
public:
    static const QString Day;
    static const QString Sepia;
    static const QString Green;
    static const QString Night;
    static const QString Custom;

    // The themes a reader can choose by name, in the order they are offered.
    static QStringList names();
    // A named theme; a name that is none of them gives the day theme.
    static Theme named(const QString &name);
    // The window dressed to match page colours the reader picked.
    static Theme fromPage(const QColor &page, const QColor &text);
    // The window as the style sheet alone draws it, around these page colours.
    static Theme plain(const QColor &page, const QColor &text);

    QColor page() const { return m_page; }
    QColor pageText() const { return m_pageText; }
    bool isDark() const;
    // The theme's colours filled into a template of @name placeholders; empty for a plain theme.
    QString styleSheet(const QString &templateSheet) const;

    // WCAG 2 contrast ratio of two opaque colours, from 1 to 21.
    static qreal contrast(const QColor &a, const QColor &b);
    static qreal luminance(const QColor &color);

private:
    struct Chrome
    {
        QColor window, surface, raised, line, text, muted, accent, onAccent, strip, stripRaised;
    };

    Theme(const QColor &page, const QColor &pageText, const Chrome &chrome, bool dressed);

    QColor m_page;
    QColor m_pageText;
    Chrome m_chrome;
    bool m_dressed;
};

#endif
