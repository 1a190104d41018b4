#include "pagerenderer.h"

#include "booklayout.h"
#include "measuringfonts.h"
#include "paginator.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

// The heading takes the height the paginator gave it, which is what drawText needs for it
// or up to a pixel more, so the text below can never be pushed past the area's bottom.
// Blank lines at the page's top are left out, as the paginator gave them no room.
void PageRenderer::draw(QPainter &painter, const QRectF &area, QStringView pageText,
                        const QFont &font, bool startsWithHeading)
{
    const QStringView text = pageText.sliced(blankLinesAtTop(pageText));
    QRectF body = area;
    QStringView bodyText = text;
    if (startsWithHeading) {
        const qsizetype headingEnd = text.indexOf(u'\n');
        const QStringView heading = headingEnd < 0 ? text : text.first(headingEnd);
        const QFont headingFont = MeasuringFonts::headingFont(font);
        painter.setFont(headingFont);
        painter.drawText(area, heading.toString(), Paginator::textOption());
        body.setTop(area.top()
                    + Paginator::heightOf(Paginator::laidOutLinesOf(heading, headingFont, area.width())));
        bodyText = headingEnd < 0 ? QStringView() : text.sliced(headingEnd + 1);
    }
    painter.setFont(font);
    painter.drawText(body, bodyText.toString(), Paginator::textOption());
}

QList<QRectF> PageRenderer::rectsOf(const QRectF &area, QStringView pageText, const QFont &font,
                                    bool startsWithHeading, qsizetype start, qsizetype length)
{
    const qsizetype blank = blankLinesAtTop(pageText);
    const QStringView text = pageText.sliced(blank);
    start -= blank;
    const qsizetype end = start + length;
    if (!startsWithHeading)
        return rectsInBlock(area, text, font, start, end);
    const qsizetype headingEnd = text.indexOf(u'\n');
    const QStringView heading = headingEnd < 0 ? text : text.first(headingEnd);
    const QFont headingFont = MeasuringFonts::headingFont(font);
    QList<QRectF> rects = rectsInBlock(area, heading, headingFont, start, end);
    if (headingEnd < 0)
        return rects;
    QRectF body = area;
    body.setTop(area.top()
                + Paginator::heightOf(Paginator::laidOutLinesOf(heading, headingFont, area.width())));
    const qsizetype bodyStart = headingEnd + 1;
    rects += rectsInBlock(body, text.sliced(bodyStart), font, start - bodyStart, end - bodyStart);
    return rects;
}

bool PageRenderer::isBlank(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.isSpace(); });
}

qsizetype PageRenderer::blankLinesAtTop(QStringView pageText)
{
    qsizetype start = 0;
    for (;;) {
        const qsizetype lineEnd = pageText.indexOf(u'\n', start);
        if (lineEnd < 0 || !isBlank(pageText.sliced(start, lineEnd - start)))
            return start;
        start = lineEnd + 1;
    }
}

// Laid out the way QPainter::drawText lays out a text with line breaks: one layout, each
// "\n" a line separator, lines stacked at their height plus the font's leading.
QList<QRectF> PageRenderer::rectsInBlock(const QRectF &area, QStringView text, const QFont &font,
                                         qsizetype start, qsizetype end)
{
    start = qMax(start, qsizetype(0));
    end = qMin(end, text.size());
    if (start >= end)
        return {};
    QString laidOut = text.toString();
    laidOut.replace(u'\n', QChar::LineSeparator);
    QTextLayout layout(laidOut, font);
    layout.setTextOption(Paginator::textOption());
    const qreal leading = qMax(QFontMetricsF(font).leading(), 0.0);
    QList<QRectF> rects;
    qreal y = 0.0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(area.width());
        line.setPosition(QPointF(0.0, y));
        y += line.height() + leading;
        const qsizetype from = qMax(start, qsizetype(line.textStart()));
        const qsizetype to = qMin(end, qsizetype(line.textStart() + line.textLength()));
        if (from >= to)
            continue;
        const qreal left = line.cursorToX(int(from));
        const qreal right = line.cursorToX(int(to));
        rects.append(QRectF(area.left() + qMin(left, right), area.top() + line.y(),
                            qAbs(right - left), line.height()));
    }
    layout.endLayout();
    return rects;
}

void PageRenderer::draw(QPainter &painter, const QRectF &area, QStringView pageText,
                        const BookLayout &layout, const std::vector<PlacedLine> &lines)
{
    for (const PlacedLine &line : lines) {
        painter.setFont(line.heading ? layout.headingFont() : layout.font());
        const qreal baseline = area.top() + line.top + line.baseline;
        // A line set with the next page's text runs past this page's end while a page cut
        // for the old format stands in during a re-cut; only this page's part is drawn.
        const qsizetype end = qMin(line.end, pageText.size());
        for (qsizetype i = line.start; i < end; ++i) {
            const qreal x = line.x[size_t(i - line.start)];
            if (x < 0.0)
                continue;
            const qsizetype length = pageText[i].isHighSurrogate() && i + 1 < end ? 2 : 1;
            const qsizetype k = i - line.start;
            const QString glyph = k < line.shown.size() && !line.shown[k].isNull()
                    ? QString(line.shown[k])
                    : pageText.sliced(i, length).toString();
            painter.drawText(QPointF(area.left() + line.left + x, baseline), glyph);
        }
    }
}

QList<QRectF> PageRenderer::rectsOf(const QRectF &area, QStringView pageText, const BookLayout &layout,
                                    const std::vector<PlacedLine> &lines, qsizetype start,
                                    qsizetype length)
{
    QList<QRectF> rects;
    const qsizetype end = start + length;
    for (const PlacedLine &line : lines) {
        qreal left = -1.0;
        qreal right = -1.0;
        const qsizetype lineEnd = qMin(line.end, pageText.size());
        for (qsizetype i = qMax(start, line.start); i < qMin(end, lineEnd); ++i) {
            const qreal x = line.x[size_t(i - line.start)];
            if (x < 0.0)
                continue;
            if (left < 0.0)
                left = x;
            right = x + layout.advanceOf(line, pageText, i);
        }
        if (left >= 0.0)
            rects.append(QRectF(area.left() + line.left + left, area.top() + line.top, right - left,
                                line.height));
    }
    return rects;
}
