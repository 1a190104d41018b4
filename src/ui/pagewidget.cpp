#include "pagewidget.h"

#include "booklayout.h"
#include "pagecurl.h"
#include "pagerenderer.h"
#include "paginator.h"
#include "scriptconverter.h"
#include "spreadcurl.h"

#include <QLoggingCategory>
#include <QPainter>
#include <QPropertyAnimation>

// Off unless asked for (QT_LOGGING_RULES="lexorin.paint.info=true"): says when a page's text
// first reaches the screen, which is what a reader waits for when a book opens.
Q_LOGGING_CATEGORY(lcPagePaint, "lexorin.paint", QtWarningMsg)

namespace {

const QColor Backdrop(200, 190, 180);
const QColor OutgoingTint(200, 200, 200);
constexpr int SheetAlpha = 100;
const QColor HighlightColor(255, 200, 60, 140);
// Below this lightness a page counts as dark, as in a night theme.
constexpr int DarkPageLightness = 96;

}

PageWidget::PageWidget(QWidget *parent)
    : QWidget(parent)
    , m_flipAnimation(new QPropertyAnimation(this, "flipProgress", this))
    , m_font(ReadingDefaults::FontFamily, ReadingDefaults::FontSize, -1, false)
{
    // Every paint covers the whole widget, so what lies beneath need not be painted first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_cleanupRules = LineCleaner::builtInRules();
    m_flipAnimation->setDuration(PageCurl::Duration);
    m_flipAnimation->setEasingCurve(QEasingCurve::OutQuad);
    connect(m_flipAnimation, &QPropertyAnimation::finished, this, &PageWidget::startPendingTurn);
}

// A new page list replaces the old one at rest on its first page: a turn still running
// through the old list is stopped, since its pages may no longer exist. An empty list
// leaves the page area empty.
void PageWidget::setPages(const PagedText &pages)
{
    m_pages = pages;
    m_shownTexts.clear();
    if (m_pages.empty())
        showNothing();
    else
        showPage(0);
}

void PageWidget::showNothing()
{
    m_pendingTurn.reset();
    m_flipAnimation->stop();
    m_currentPage = -1;
    m_targetPage = -1;
    m_flipProgress = 0.0f;
    dropTurnLayers();
    update();
}

void PageWidget::extendPages(const PagedText &pages)
{
    m_pages.extendTo(pages);
}

void PageWidget::setTextConversion(std::shared_ptr<const ScriptConverter> converter)
{
    m_conversion = std::move(converter);
    m_shownTexts.clear();
    dropTurnLayers();
    update();
}

QStringView PageWidget::shownText(int page) const
{
    const QStringView text = m_pages.page(page);
    if (!m_conversion || !m_conversion->isActive())
        return text;
    constexpr qsizetype CachedPages = 8;
    if (m_shownTexts.size() >= CachedPages && !m_shownTexts.contains(page))
        m_shownTexts.clear();
    auto shown = m_shownTexts.find(page);
    if (shown == m_shownTexts.end())
        shown = m_shownTexts.insert(page, m_conversion->convert(text.toString()));
    return *shown;
}

void PageWidget::setHeadings(const std::vector<Chapter> &headings)
{
    dropTurnLayers();
    m_headings = headings;
    update();
}

void PageWidget::setJoinedLineEnds(const std::vector<qsizetype> &joinedLineEnds)
{
    dropTurnLayers();
    m_joinedLineEnds = joinedLineEnds;
    update();
}

void PageWidget::setCleanupRules(const std::vector<CleanupRule> &rules)
{
    if (rules == m_cleanupRules)
        return;
    dropTurnLayers();
    m_cleanupRules = rules;
    update();
}

void PageWidget::setHighlight(int page, qsizetype start, qsizetype length)
{
    dropTurnLayers();
    m_highlight = { page, start, length };
    update();
}

std::pair<qsizetype, qsizetype> PageWidget::highlightOn(int page) const
{
    if (!isValidPage(m_highlight.page) || !isValidPage(page) || page < m_highlight.page)
        return { 0, 0 };
    const qsizetype start = m_highlight.start - (m_pages.startOf(page) - m_pages.startOf(m_highlight.page));
    const qsizetype from = qMax<qsizetype>(start, 0);
    const qsizetype to = qMin(start + m_highlight.length, m_pages.page(page).size());
    return { from, qMax<qsizetype>(to - from, 0) };
}

// In a spread the page may be the right one of the pair at rest.
QList<QRectF> PageWidget::highlightRects(int page) const
{
    const bool onRightPage = m_spread && page == restingPage() + 1;
    return highlightRectsIn(page, onRightPage ? textArea().translated(width() / 2, 0) : textArea());
}

QList<QRectF> PageWidget::highlightRectsIn(int page, const QRect &area) const
{
    const auto [start, length] = highlightOn(page);
    if (length == 0)
        return {};
    if (m_style.book) {
        const BookLayout &layout = bookLayout();
        return PageRenderer::rectsOf(QRectF(area), shownText(page), layout,
                                     layout.linesOfPage(m_pages, page, m_headings, m_joinedLineEnds),
                                     start, length);
    }
    return PageRenderer::rectsOf(QRectF(area), shownText(page), m_font,
                                 Paginator::startsWithHeading(m_pages, page, m_headings), start, length);
}

void PageWidget::flipToPage(int index, bool forward)
{
    if (!isValidPage(index))
        return;
    const TurnRequest request{ index, forward };
    if (isTurning())
        m_pendingTurn = request;
    else
        startTurn(request);
}

void PageWidget::showPage(int index)
{
    if (!isValidPage(index))
        return;
    m_pendingTurn.reset();
    if (isTurning())
        m_flipAnimation->stop();
    m_currentPage = index;
    m_targetPage = index;
    m_flipProgress = 0.0f;
    dropTurnLayers();
    update();
}

void PageWidget::setBackgroundColor(const QColor &color)
{
    dropTurnLayers();
    m_bgColor = color;
    update();
}

void PageWidget::setTextColor(const QColor &color)
{
    dropTurnLayers();
    m_textColor = color;
    update();
}

void PageWidget::setTextFont(const QFont &font)
{
    dropTurnLayers();
    m_font = font;
    update();
}

float PageWidget::flipProgress() const
{
    return m_flipProgress;
}

void PageWidget::setFlipProgress(float progress)
{
    m_flipProgress = progress;
    update();
    if (progress >= 1.0f)
        m_currentPage = m_targetPage;
}

QRect PageWidget::textArea() const
{
    const QRect page = m_spread ? QRect(0, 0, width() / 2, height()) : rect();
    return page.adjusted(m_textMargin, m_textMargin, -m_textMargin, -m_textMargin);
}

bool PageWidget::fitsSpread(const QSize &size)
{
    return size.width() >= 2 * MinimumSpreadPageWidth && size.width() * 10 >= size.height() * 13;
}

void PageWidget::setSpreadAllowed(bool allowed)
{
    m_spreadAllowed = allowed;
    const bool wasSpread = m_spread;
    updateSpread();
    if (m_spread != wasSpread)
        emit textAreaResized();
}

// Called before the text area's change is told, so the new format is cut for one column.
void PageWidget::updateSpread()
{
    const bool spread = m_spreadAllowed && fitsSpread(size());
    if (std::exchange(m_spread, spread) == spread)
        return;
    dropTurnLayers();
    update();
    emit pagesShownChanged(pagesShown());
}

int PageWidget::restingPage() const
{
    return m_pendingTurn ? m_pendingTurn->index : m_targetPage;
}

bool PageWidget::isTurning() const
{
    return m_flipAnimation->state() == QAbstractAnimation::Running;
}

void PageWidget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const bool hasPages = isValidPage(m_currentPage) && isValidPage(m_targetPage);
    // A page covers the backdrop unless its colour lets it through.
    if (!hasPages || m_bgColor.alpha() < 255)
        painter.fillRect(rect(), backdropColor());
    if (!hasPages)
        return;

    const float p = m_flipProgress;
    if (p <= 0.0f) {
        drawPage(painter, m_currentPage);
    } else if (p >= 1.0f) {
        drawPage(painter, m_targetPage);
    } else if (m_spread) {
        if (m_turnLayers.isNull())
            prepareSpreadTurnLayers();
        drawSpreadTurn(painter, SpreadCurl(size(), p, m_flipForward));
    } else {
        if (m_turnLayers.isNull())
            prepareTurnLayers();
        painter.drawPixmap(0, 0, m_turnLayers.incoming);
        const PageCurl curl(size(), p, m_flipForward);
        drawOutgoingPage(painter, curl);
        drawPageCurl(painter, curl);
    }
    if (m_bookmarked && m_flipProgress <= 0.0f)
        drawBookmarkRibbon(painter);
}

void PageWidget::setBookmarked(bool bookmarked)
{
    if (std::exchange(m_bookmarked, bookmarked) != bookmarked)
        update();
}

// A ribbon hanging from the top edge near the right corner of the reader's page, notched at
// its end; in a spread that is the left page.
void PageWidget::drawBookmarkRibbon(QPainter &painter)
{
    constexpr int Width = 18;
    constexpr int Length = 34;
    constexpr int Notch = 7;
    const int left = textArea().right() + 1 - Width;
    const QPolygon ribbon({ QPoint(left, 0), QPoint(left + Width, 0), QPoint(left + Width, Length),
                            QPoint(left + Width / 2, Length - Notch), QPoint(left, Length) });
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(196, 48, 43));
    painter.drawPolygon(ribbon);
}

// What a turn shows does not change from frame to frame apart from where it stands, so the
// pages are drawn once per turn and every frame only places them. Layers laid on an opaque
// ground stay opaque, which makes placing them a plain copy.
void PageWidget::prepareTurnLayers()
{
    const QColor pageGround = m_bgColor.alpha() == 255 ? m_bgColor : QColor(Qt::transparent);
    m_turnLayers.incoming = layer(pageGround, [this](QPainter &painter) {
        drawPage(painter, m_targetPage);
    });
    m_turnLayers.outgoing = layer(OutgoingTint, [this](QPainter &painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Multiply);
        painter.fillRect(rect(), m_bgColor);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        drawText(painter, textArea(), m_currentPage, true);
    });
    // The turning sheet's text is placed with the page's margin; a spread keeps its columns.
    const QRect sheetArea = m_spread ? textArea().translated(-m_textMargin, -m_textMargin) : rect();
    m_turnLayers.sheetText = layer(Qt::transparent, [this, sheetArea](QPainter &painter) {
        drawText(painter, sheetArea, m_currentPage, false);
    });
}

// A turn forward from a spread lifts its right page and uncovers the right page of the spread
// it turns to, the back of the sheet bearing that spread's left page; a turn back mirrors it.
void PageWidget::prepareSpreadTurnLayers()
{
    const int from = m_currentPage;
    const int to = m_targetPage;
    const int stillLeft = m_flipForward ? from : to;
    const int stillRight = m_flipForward ? to + 1 : from + 1;
    m_turnLayers.incoming = layer(m_bgColor.alpha() == 255 ? m_bgColor : QColor(Qt::transparent),
                                  [this, stillLeft, stillRight](QPainter &painter) {
                                      drawSpreadPages(painter, stillLeft, stillRight);
                                  });
    const SpreadCurl rising(size(), 0.0f, m_flipForward);
    const SpreadCurl falling(size(), 1.0f, m_flipForward);
    m_turnLayers.sheetFront = faceLayer(m_flipForward ? from + 1 : from, rising.faceRect());
    m_turnLayers.sheetBack = faceLayer(m_flipForward ? to : to + 1, falling.faceRect());
}

void PageWidget::drawSpreadPages(QPainter &painter, int left, int right)
{
    painter.fillRect(rect(), m_bgColor);
    if (isValidPage(left))
        drawPageText(painter, textArea(), left, true);
    if (isValidPage(right))
        drawPageText(painter, textArea().translated(width() / 2, 0), right, true);
    drawGutter(painter);
}

// One face of the turning sheet: the page, or a blank one past the book's end, as it would
// lie in its half of the spread.
QPixmap PageWidget::faceLayer(int page, const QRect &face)
{
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(face.size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(m_bgColor.alpha() == 255 ? m_bgColor : sheetColor());
    if (!isValidPage(page))
        return pixmap;
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-face.topLeft());
    const QRect area = face.left() == 0 ? textArea() : textArea().translated(width() / 2, 0);
    drawPageText(painter, area, page, true);
    return pixmap;
}

QPixmap PageWidget::layer(const QColor &ground, const std::function<void(QPainter &)> &draw) const
{
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap(size() * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(ground);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    draw(painter);
    return pixmap;
}

void PageWidget::dropTurnLayers()
{
    m_turnLayers = {};
}

void PageWidget::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    dropTurnLayers();
    updateSpread();
    emit textAreaResized();
}

void PageWidget::startTurn(const TurnRequest &request)
{
    dropTurnLayers();
    m_flipForward = request.forward;
    m_targetPage = request.index;
    m_flipAnimation->setStartValue(QVariant(0.0f));
    m_flipAnimation->setEndValue(QVariant(1.0f));
    m_flipAnimation->start(QAbstractAnimation::KeepWhenStopped);
}

void PageWidget::startPendingTurn()
{
    if (!m_pendingTurn)
        return;
    const TurnRequest request = *m_pendingTurn;
    m_pendingTurn.reset();
    if (isValidPage(request.index))
        startTurn(request);
}

void PageWidget::drawPage(QPainter &painter, int page)
{
    painter.fillRect(rect(), m_bgColor);
    drawText(painter, textArea(), page, true);
    if (m_spread)
        drawGutter(painter);
    if (!m_textPainted && !m_pages.page(page).isEmpty()) {
        m_textPainted = true;
        qCInfo(lcPagePaint, "first page text painted");
    }
}

void PageWidget::drawText(QPainter &painter, const QRect &area, int page, bool marked)
{
    drawPageText(painter, area, page, marked);
    if (m_spread && isValidPage(page + 1))
        drawPageText(painter, area.translated(width() / 2, 0), page + 1, marked);
}

// The back of a turning sheet is left unmarked.
void PageWidget::drawPageText(QPainter &painter, const QRect &area, int page, bool marked)
{
    if (marked) {
        for (const QRectF &rect : highlightRectsIn(page, area))
            painter.fillRect(rect, HighlightColor);
    }
    painter.setPen(m_textColor);
    if (m_style.book) {
        const BookLayout &layout = bookLayout();
        PageRenderer::draw(painter, QRectF(area), shownText(page), layout,
                           layout.linesOfPage(m_pages, page, m_headings, m_joinedLineEnds));
        return;
    }
    PageRenderer::draw(painter, QRectF(area), shownText(page), m_font,
                       Paginator::startsWithHeading(m_pages, page, m_headings));
}

// The fold between the two pages of a spread: a soft shade on either side of the middle.
void PageWidget::drawGutter(QPainter &painter)
{
    constexpr qreal Half = 14.0;
    const qreal middle = width() / 2;
    QLinearGradient shade(middle - Half, 0.0, middle + Half, 0.0);
    const QColor fold = foldShadowColor();
    QColor clear = fold;
    clear.setAlpha(0);
    shade.setColorAt(0.0, clear);
    shade.setColorAt(0.5, QColor(fold.red(), fold.green(), fold.blue(), fold.alpha() / 3));
    shade.setColorAt(1.0, clear);
    painter.fillRect(QRectF(middle - Half, 0.0, 2 * Half, height()), shade);
}

// The part of the outgoing page not yet lifted, darkened as if in the turning sheet's shade.
void PageWidget::drawOutgoingPage(QPainter &painter, const PageCurl &curl)
{
    painter.save();
    painter.setClipRect(curl.outgoingStrip(), Qt::ReplaceClip);
    painter.drawPixmap(0, 0, m_turnLayers.outgoing);
    painter.restore();
}

void PageWidget::drawPageCurl(QPainter &painter, const PageCurl &curl)
{
    painter.save();
    painter.setClipPath(curl.sheetOutline(), Qt::ReplaceClip);
    painter.setTransform(curl.sheetTransform(), false);

    painter.fillRect(curl.sheetRect(), sheetColor());

    // The outgoing page's text, in a text area as large as the whole page. Drawn under the
    // sheet's perspective it is most of a frame's cost, a third less without antialiasing,
    // which it hardly needs: the layer's edges are all but clear, and where the fold cuts
    // through its letters the shadow lies over them.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawPixmap(curl.sheetTextRect().topLeft(), m_turnLayers.sheetText);
    painter.setRenderHint(QPainter::Antialiasing);

    const QRectF shadow = curl.shadowRect();
    painter.setBrush(curl.shadowGradient(foldShadowColor()));
    painter.setPen(Qt::NoPen);
    painter.drawRects(&shadow, 1);
    painter.restore();
}

// The halves lying still, the sheet turned about the spine and shaded the more it stands up,
// and the shadow it casts beside its outer edge. As with the single page's sheet, the face is
// placed without antialiasing, which costs a third of a frame and hardly shows; the shade is
// laid over its outline unturned, which looks the same and spares a second pass in perspective.
void PageWidget::drawSpreadTurn(QPainter &painter, const SpreadCurl &curl)
{
    painter.drawPixmap(0, 0, m_turnLayers.incoming);
    const QColor fold = foldShadowColor();
    painter.save();
    painter.setTransform(curl.faceTransform(), false);
    // On a screen of twice the pixels the nearest pixel is as good as a filtered one.
    painter.setRenderHint(QPainter::SmoothPixmapTransform, devicePixelRatioF() < 2.0);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawPixmap(curl.faceRect().topLeft(),
                       curl.showsBack() ? m_turnLayers.sheetBack : m_turnLayers.sheetFront);
    painter.restore();
    painter.setPen(Qt::NoPen);
    painter.setBrush(curl.faceShade(fold));
    painter.drawPolygon(curl.sheetOutline());
    painter.setBrush(curl.castShadow(fold));
    painter.drawPolygon(curl.castShadowOutline());
}

// Behind a dark page, or where there is none, the backdrop is dark as well.
QColor PageWidget::backdropColor() const
{
    return m_bgColor.lightness() < DarkPageLightness ? QColor(m_bgColor.rgb()).darker(140) : Backdrop;
}

// A shadow light enough for a pale page would all but vanish on a dark one.
QColor PageWidget::foldShadowColor() const
{
    return QColor(0, 0, 0, m_bgColor.lightness() < DarkPageLightness ? 220 : 80);
}

// The page's colour seen through a white sheet, as if laid over white with its alpha. A dark
// page's sheet is only a shade lighter than the page: a pale one would flash at every turn.
QColor PageWidget::sheetColor() const
{
    if (m_bgColor.lightness() < DarkPageLightness) {
        const auto shade = [](int component) { return component + (255 - component) * 12 / 100; };
        return QColor(shade(m_bgColor.red()), shade(m_bgColor.green()), shade(m_bgColor.blue()));
    }
    const auto throughWhite = [](int component) {
        return (component * SheetAlpha + 255 * (255 - SheetAlpha) + 127) / 255;
    };
    return QColor(throughWhite(m_bgColor.red()), throughWhite(m_bgColor.green()),
                  throughWhite(m_bgColor.blue()));
}

bool PageWidget::isValidPage(int index) const
{
    return index >= 0 && index < m_pages.size();
}

void PageWidget::setTypesetStyle(const TypesetStyle &style)
{
    if (style == m_style)
        return;
    m_style = style;
    dropTurnLayers();
    update();
    emit typesetStyleChanged();
}

void PageWidget::setChaptersStartPages(bool on)
{
    m_chaptersStartPages = on;
    dropTurnLayers();
    update();
}

void PageWidget::setTextMargin(int margin)
{
    if (margin == m_textMargin)
        return;
    m_textMargin = margin;
    dropTurnLayers();
    update();
    emit textAreaResized();
}

// The layout measures with fonts of its own, so it is made again only when what it was made
// for changed.
const BookLayout &PageWidget::bookLayout() const
{
    const QSizeF area = QSizeF(textArea().size());
    if (!m_bookLayout || m_bookLayout->font() != m_font || m_bookLayout->area() != area
        || m_bookLayout->style() != m_style || m_bookLayout->chaptersStartPages() != m_chaptersStartPages
        || m_bookLayout->cleanupRules() != m_cleanupRules)
        m_bookLayout = std::make_shared<BookLayout>(m_font, area, m_style, m_chaptersStartPages, m_cleanupRules);
    m_bookLayout->setFacingPages(m_spread);
    return *m_bookLayout;
}
