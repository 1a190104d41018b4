#include "theme.h"

#include "readingdefaults.h"

#include <QRegularExpression>

#include <cmath>

const QString Theme::Day = QStringLiteral("day");
const QString Theme::Sepia = QStringLiteral("sepia");
const QString Theme::Green = QStringLiteral("green");
const QString Theme::Night = QStringLiteral("night");
const QString Theme::Custom = QStringLiteral("custom");

namespace {

// The default page, as the reader has always seen it.
const QColor DayPage = ReadingDefaults::PageColor;
const QColor DayText = ReadingDefaults::TextColor;

QColor mixed(const QColor &a, const QColor &b, qreal share)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * share,
                            a.greenF() + (b.greenF() - a.greenF()) * share,
                            a.blueF() + (b.blueF() - a.blueF()) * share);
}

// A dressed theme's colours as #rrggbb: the page, its text, then the chrome in the order
// Chrome declares them. Every text colour keeps a contrast of at least 4.5 with each
// background it lies on.
struct NamedPalette
{
    const QString *name;
    QRgb page;
    QRgb pageText;
    QRgb chrome[10];
};

const NamedPalette NamedPalettes[] = {
    { &Theme::Sepia, 0xf4ecd8, 0x5b4636,
      { 0xe9dfc6, 0xf4ecd8, 0xe6d9bb, 0xd6c6a3, 0x4a3728, 0x6b5540, 0x8a4b22, 0xfffbf2, 0x4a3728, 0x3a2b1f } },
    { &Theme::Green, 0xcce8cf, 0x233a28,
      { 0xc4dfc6, 0xd6ecd7, 0xbfdcc2, 0xa9ccad, 0x1f3525, 0x35553c, 0x1f6b3f, 0xf4fbf4, 0x2b4533, 0x1f3525 } },
    { &Theme::Night, 0x1e1f22, 0xc8c8c4,
      { 0x17181a, 0x222427, 0x303337, 0x3c4045, 0xd0d3d8, 0xa2a8b0, 0x4fc3a1, 0x10201a, 0x101112, 0x26282b } },
};

}

Theme::Theme(const QColor &page, const QColor &pageText, const Chrome &chrome, bool dressed)
    : m_page(page)
    , m_pageText(pageText)
    , m_chrome(chrome)
    , m_dressed(dressed)
{
}

QStringList Theme::names()
{
    return { Day, Sepia, Green, Night };
}

Theme Theme::named(const QString &name)
{
    for (const NamedPalette &palette : NamedPalettes) {
        if (*palette.name != name)
            continue;
        const QRgb *c = palette.chrome;
        return Theme(QColor(palette.page), QColor(palette.pageText),
                     { QColor(c[0]), QColor(c[1]), QColor(c[2]), QColor(c[3]), QColor(c[4]),
                       QColor(c[5]), QColor(c[6]), QColor(c[7]), QColor(c[8]), QColor(c[9]) },
                     true);
    }
    return plain(DayPage, DayText);
}

// Lists and bars take the page's colour, the window a shade away from it, and every text the
// page's text colour, so what reads on the page reads everywhere.
Theme Theme::fromPage(const QColor &page, const QColor &text)
{
    const QColor away = luminance(page) < 0.18 ? QColor(Qt::white) : QColor(Qt::black);
    const QColor strip = luminance(text) < 0.18 ? text : mixed(page, Qt::black, 0.5);
    return Theme(page, text,
                 { mixed(page, away, 0.04), page, mixed(page, away, 0.08), mixed(page, away, 0.2), text,
                   mixed(text, page, 0.2), text, page, strip, mixed(strip, Qt::black, 0.3) },
                 true);
}

Theme Theme::plain(const QColor &page, const QColor &text)
{
    return Theme(page, text, {}, false);
}

bool Theme::isDark() const
{
    return luminance(m_page) < 0.18;
}

QString Theme::styleSheet(const QString &templateSheet) const
{
    if (!m_dressed)
        return {};
    const std::pair<const char *, QColor> colours[] = {
        { "window", m_chrome.window }, { "surface", m_chrome.surface },
        { "raised", m_chrome.raised }, { "line", m_chrome.line },
        { "text", m_chrome.text },     { "muted", m_chrome.muted },
        { "accent", m_chrome.accent }, { "onAccent", m_chrome.onAccent },
        { "strip", m_chrome.strip },   { "stripRaised", m_chrome.stripRaised },
    };
    QString sheet = templateSheet;
    for (const auto &[name, colour] : colours) {
        const QRegularExpression placeholder(QStringLiteral("@%1\\b").arg(QLatin1String(name)));
        sheet.replace(placeholder, colour.name());
    }
    return sheet;
}

qreal Theme::luminance(const QColor &color)
{
    const auto linear = [](qreal c) { return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    const QColor rgb = color.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

qreal Theme::contrast(const QColor &a, const QColor &b)
{
    const qreal la = luminance(a);
    const qreal lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}
