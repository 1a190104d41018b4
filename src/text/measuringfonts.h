#ifndef MEASURINGFONTS_H
#define MEASURINGFONTS_H

#include <QFont>
#include <QFontMetricsF>
#include <QRawFont>

// The fonts one thread measures a page format with: the text font, the bold one headings
// are set in, and the text font's own face. All are built on the thread that constructs
// this and must be used and destroyed there only: a raw font belongs to its thread, a font
// caches its engines for the thread that uses it, and FreeType faces are not locked, so
// threads that shared them would race.
class MeasuringFonts
{
public:
    explicit MeasuringFonts(const QFont &font);
    MeasuringFonts(const MeasuringFonts &) = delete;
    MeasuringFonts &operator=(const MeasuringFonts &) = delete;

    const QFont &text() const { return m_text; }
    const QFont &heading() const { return m_heading; }
    const QRawFont &face() const { return m_face; }
    const QFontMetricsF &metrics() const { return m_metrics; }

    // A copy of the font with data of its own, made on the calling thread, never shared
    // with the font it copies.
    static QFont detachedCopy(const QFont &font);
    static QFont headingFont(const QFont &font);

private:
    QFont m_text;
    QFont m_heading;
    QRawFont m_face;
    QFontMetricsF m_metrics;
};

#endif
