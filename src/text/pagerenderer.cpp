#include "pagerenderer.h"

#include "measuringfonts.h"
#include "paginator.h"

#include <QPainter>

// The heading takes the height the paginator gave it, which is what drawText needs for it
// or up to a pixel more, so the text below can never be pushed past the area's bottom.
void PageRenderer::draw(QPainter &painter, const QRectF &area, QStringView pageText,
                        const QFont &font, bool startsWithHeading)
{
    QRectF body = area;
    QStringView bodyText = pageText;
    if (startsWithHeading) {
        const qsizetype headingEnd = pageText.indexOf(u'\n');
        const QStringView heading = headingEnd < 0 ? pageText : pageText.first(headingEnd);
        const QFont headingFont = MeasuringFonts::headingFont(font);
        painter.setFont(headingFont);
        painter.drawText(area, heading.toString(), Paginator::textOption());
        body.setTop(area.top()
                    + Paginator::heightOf(Paginator::laidOutLinesOf(heading, headingFont, area.width())));
        bodyText = headingEnd < 0 ? QStringView() : pageText.sliced(headingEnd + 1);
    }
    painter.setFont(font);
    painter.drawText(body, bodyText.toString(), Paginator::textOption());
}
