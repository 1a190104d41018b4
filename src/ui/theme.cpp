#include "theme.h"

#include <QRegularExpression>

#include <cmath>

const QString Theme::Day = QStringLiteral("day");
const QString Theme::Sepia = QStringLiteral("sepia");
const QString Theme::Green = QStringLiteral("green");
const QString Theme::Night = QStringLiteral("night");
const QString Theme::Custom = QStringLiteral("custom");

namespace {

// The default page, as the reader has always seen it.
const QColor DayPage(250, 245, 235);
const QColor DayText(Qt::black);

QColor mixed(const QColor &a, const QColor &b, qreal share)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * share,
                            a.greenF() + (b.greenF() - a.greenF()) * share,
                            a.blueF() + (b.blueF() - a.blueF()) * share);
}

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

// Every text colour below keeps a contrast of at least 4.5 with each background it lies on.
Theme Theme::named(const QString &name)
{
    if (name == Sepia)
        return Theme(QColor(0xf4, 0xec, 0xd8), QColor(0x5b, 0x46, 0x36),
                     { QColor(0xe9, 0xdf, 0xc6), QColor(0xf4, 0xec, 0xd8), QColor(0xe6, 0xd9, 0xbb),
                       QColor(0xd6, 0xc6, 0xa3), QColor(0x4a, 0x37, 0x28), QColor(0x6b, 0x55, 0x40),
                       QColor(0x8a, 0x4b, 0x22), QColor(0xff, 0xfb, 0xf2), QColor(0x4a, 0x37, 0x28),
                       QColor(0x3a, 0x2b, 0x1f) },
                     true);
    if (name == Green)
        return Theme(QColor(0xcc, 0xe8, 0xcf), QColor(0x23, 0x3a, 0x28),
                     { QColor(0xc4, 0xdf, 0xc6), QColor(0xd6, 0xec, 0xd7), QColor(0xbf, 0xdc, 0xc2),
                       QColor(0xa9, 0xcc, 0xad), QColor(0x1f, 0x35, 0x25), QColor(0x35, 0x55, 0x3c),
                       QColor(0x1f, 0x6b, 0x3f), QColor(0xf4, 0xfb, 0xf4), QColor(0x2b, 0x45, 0x33),
                       QColor(0x1f, 0x35, 0x25) },
                     true);
    if (name == Night)
        return Theme(QColor(0x1e, 0x1f, 0x22), QColor(0xc8, 0xc8, 0xc4),
                     { QColor(0x17, 0x18, 0x1a), QColor(0x22, 0x24, 0x27), QColor(0x30, 0x33, 0x37),
                       QColor(0x3c, 0x40, 0x45), QColor(0xd0, 0xd3, 0xd8), QColor(0xa2, 0xa8, 0xb0),
                       QColor(0x4f, 0xc3, 0xa1), QColor(0x10, 0x20, 0x1a), QColor(0x10, 0x11, 0x12),
                       QColor(0x26, 0x28, 0x2b) },
                     true);
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
