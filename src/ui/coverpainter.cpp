#include "coverpainter.h"

#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygonF>
#include <QStringList>

#include <array>

namespace CoverPainter {

namespace {

const QRectF FrontBoard(10, 10, 120, 180);
const QRectF Spine(5, 10, 10, 180);

// Overlaps the board's last column so that the board has no light seam at its edge.
const QPolygonF RightEdgeShadow({QPointF(129, 10), QPointF(134, 10), QPointF(134, 189),
                                 QPointF(129, 189)});

constexpr qreal RuleLeft = 25;
constexpr qreal RuleRight = 114;
constexpr std::array<qreal, 4> RuleHeights = {20, 35, 50, 65};

constexpr int TitleFlags = Qt::AlignCenter | Qt::TextWordWrap;

QLinearGradient boardGradient(const QColor &color)
{
    QLinearGradient gradient(10, 10, 129, 10);
    gradient.setColorAt(0, color.lighter(110));
    gradient.setColorAt(1, color.lighter(130));
    return gradient;
}

// Runs from the cover's left edge, not the spine's, so the spine's right half is padded with
// the darkest shade and reads as the board's folded edge.
QLinearGradient spineGradient(const QColor &color)
{
    QLinearGradient gradient(0, 0, 10, 0);
    gradient.setColorAt(0, color.darker(200));
    gradient.setColorAt(1, color.darker(220));
    return gradient;
}

QLinearGradient shadowGradient(bool darkShelf)
{
    QLinearGradient gradient(129, 10, 129, 189);
    gradient.setColorAt(0, QColor(0, 0, 0, darkShelf ? 200 : 30));
    gradient.setColorAt(1, QColor(0, 0, 0, darkShelf ? 140 : 10));
    return gradient;
}

QFont titleFont(int pointSize)
{
    QFont font;
    font.setPointSize(pointSize);
    font.setWeight(QFont::Bold);
    return font;
}

bool fitsWidth(const QString &line, const QFontMetrics &metrics)
{
    return metrics.horizontalAdvance(line) <= TitleArea.width();
}

bool isTallerThanTitleArea(const QString &text, const QFont &font)
{
    return QFontMetrics(font).boundingRect(TitleArea, TitleFlags, text).height()
           > TitleArea.height();
}

// Greedy filling: a word that is too wide even on its own still gets a line of its own and is
// left to the word wrap of the text drawing, which can break inside it.
QStringList wrapWords(const QStringList &words, const QFontMetrics &metrics)
{
    QStringList lines;
    QString line;
    for (const QString &word : words) {
        const QString candidate = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (fitsWidth(candidate, metrics)) {
            line = candidate;
            continue;
        }
        if (!line.isEmpty())
            lines.append(line);
        line = word;
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

void drawBook(QPainter &painter, const QColor &color, bool darkShelf)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(boardGradient(color));
    painter.drawRect(FrontBoard);
    painter.setBrush(spineGradient(color));
    painter.drawRect(Spine);
    painter.setBrush(shadowGradient(darkShelf));
    painter.drawPolygon(RightEdgeShadow);
}

void drawTitle(QPainter &painter, const QString &title)
{
    const QFont font = titleFont(TitlePointSize);
    const QString text = fitsWidth(title, QFontMetrics(font)) ? title : breakTitle(title, font);
    painter.setFont(fittedTitleFont(text));
    painter.setPen(QColor(0, 0, 0, 200));
    painter.drawText(TitleArea, TitleFlags, text);
}

// Drawn after the title on purpose: a title tall enough to reach the top of the board is
// crossed by the rules like print on a ruled cover.
void drawRules(QPainter &painter, const QColor &color)
{
    painter.setPen(QPen(QBrush(color.darker(200)), 1.0));
    for (const qreal y : RuleHeights)
        painter.drawLine(QLineF(RuleLeft, y, RuleRight, y));
}

}

QColor coverColor(int index)
{
    static const std::array<QColor, 10> palette = {
        QColor(135, 206, 235), QColor(255, 182, 193), QColor(152, 251, 152),
        QColor(255, 215, 0),   QColor(221, 160, 221), QColor(176, 224, 230),
        QColor(245, 222, 179), QColor(173, 216, 230), QColor(255, 218, 185),
        QColor(240, 230, 140),
    };
    const int size = int(palette.size());
    return palette[((index % size) + size) % size];
}

QPixmap generateCover(const QString &title, const QColor &color, bool darkShelf)
{
    QPixmap cover(CoverWidth, CoverHeight);
    cover.fill(Qt::transparent);
    {
        QPainter painter(&cover);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
        drawBook(painter, color, darkShelf);
        drawTitle(painter, title);
        drawRules(painter, color);
    }
    return cover;
}

QString breakTitle(const QString &title, const QFont &font)
{
    const QFontMetrics metrics(font);
    QStringList lines = wrapWords(title.split(QLatin1Char(' ')), metrics);
    const int lineLimit = TitleArea.height() / metrics.height();
    if (lines.size() > lineLimit) {
        lines.resize(lineLimit);
        if (!lines.isEmpty())
            lines.last() = metrics.elidedText(lines.last(), Qt::ElideRight, TitleArea.width());
    }
    return lines.join(QLatin1Char('\n'));
}

QFont fittedTitleFont(const QString &text)
{
    QFont font = titleFont(TitlePointSize);
    while (font.pointSize() > SmallestTitlePointSize && isTallerThanTitleArea(text, font))
        font.setPointSize(font.pointSize() - 1);
    return font;
}

QPixmap withProgress(const QPixmap &cover, double progress)
{
    constexpr int BarHeight = 4;
    QPixmap result = cover;
    QPainter painter(&result);
    const QRect track(0, result.height() - BarHeight, result.width(), BarHeight);
    painter.fillRect(track, QColor(0, 0, 0, 90));
    const int done = qRound(track.width() * qBound(0.0, progress, 1.0));
    painter.fillRect(QRect(track.topLeft(), QSize(done, BarHeight)), QColor(240, 200, 80));
    return result;
}

QPixmap asMissing(const QPixmap &cover)
{
    QPixmap result = QPixmap::fromImage(cover.toImage().convertToFormat(QImage::Format_Grayscale8));
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    const int radius = result.width() / 6;
    const QPoint centre(result.width() / 2, result.height() - radius * 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(170, 40, 40));
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    const int arm = radius / 2;
    painter.drawLine(centre + QPoint(-arm, -arm), centre + QPoint(arm, arm));
    painter.drawLine(centre + QPoint(-arm, arm), centre + QPoint(arm, -arm));
    return result;
}

}
