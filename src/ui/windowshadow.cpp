#include "windowshadow.h"

#include <QEvent>
#include <QGraphicsDropShadowEffect>
#include <QGraphicsPathItem>
#include <QGraphicsScene>
#include <QPainter>
#include <QPainterPath>

const QColor WindowShadow::Color(0, 0, 0, 80);

namespace {

QPainterPath roundedRect(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

QRectF scaled(const QRectF &rect, qreal ratio)
{
    return { rect.topLeft() * ratio, rect.size() * ratio };
}

}

WindowShadow::WindowShadow(QWidget *caster)
    : QWidget(caster->parentWidget())
    , m_caster(caster)
{
    Q_ASSERT(parentWidget());
    setAttribute(Qt::WA_TransparentForMouseEvents);
    parentWidget()->installEventFilter(this);
    m_caster->installEventFilter(this);
    followParent();
    lower();
    show();
}

void WindowShadow::setCornerRadius(qreal radius)
{
    m_cornerRadius = qMax(radius, 0.0);
    m_tile = QPixmap();
    update();
}

bool WindowShadow::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
        if (watched == parentWidget())
            followParent();
        update();
        break;
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::Hide:
        update();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void WindowShadow::followParent()
{
    setGeometry(parentWidget()->rect());
}

// How far a corner slice reaches into the caster: the blur seeps that far under its edge,
// and a rounded corner leaves shadow showing that much further in.
qreal WindowShadow::sliceInset() const
{
    return BlurRadius + m_cornerRadius;
}

// The caster as drawn into the tile: big enough that the middle of each side lies beyond the
// blur's reach from both corner slices, so one line of it stands for the whole side.
QRectF WindowShadow::tileCasterRect() const
{
    const qreal side = 2.0 * (sliceInset() + BlurRadius);
    return { BlurRadius, BlurRadius, side, side };
}

// The shadow of a small caster, blurred by the same effect the window would otherwise run
// on every frame. The caster is drawn a tile's width to the right and its shadow offset back
// by as much, so the tile holds the shadow alone, also where the caster's edge is partly
// transparent. Like the effect on a widget, the blur is made in device pixels.
QPixmap WindowShadow::renderTile(qreal ratio) const
{
    const qreal reach = BlurRadius * ratio;
    const QRectF caster = scaled(tileCasterRect(), ratio);
    const QRectF bounds = caster.adjusted(-reach, -reach, reach, reach);
    const qreal aside = bounds.width();

    QGraphicsScene scene(bounds.adjusted(0.0, 0.0, aside, 0.0));
    QGraphicsPathItem *item = scene.addPath(roundedRect(caster.translated(aside, 0.0), m_cornerRadius * ratio),
                                            Qt::NoPen, Qt::black);
    auto *effect = new QGraphicsDropShadowEffect;
    effect->setBlurRadius(BlurRadius);
    effect->setColor(Color);
    effect->setOffset(-aside, 0.0);
    item->setGraphicsEffect(effect);

    // The whole scene is rendered: the view of the shadow's part alone would leave out the
    // caster, and with it the effect.
    QImage image(scene.sceneRect().size().toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    scene.render(&painter, image.rect(), scene.sceneRect());
    painter.end();
    QImage shadow = image.copy(QRect(QPoint(), bounds.size().toSize()));
    shadow.setDevicePixelRatio(ratio);
    return QPixmap::fromImage(std::move(shadow));
}

const QPixmap &WindowShadow::tile(qreal ratio)
{
    if (m_tile.isNull() || !qFuzzyCompare(m_tile.devicePixelRatio(), ratio))
        m_tile = renderTile(ratio);
    return m_tile;
}

// Four corner slices of the tile at the caster's corners and a line from the middle of each
// side stretched along it. The middle is not drawn: the caster covers it.
void WindowShadow::paintEvent(QPaintEvent *)
{
    if (!m_caster->isVisible())
        return;
    QPainter painter(this);
    // The scale to device pixels, also when the window is rendered into an image of a higher
    // ratio than its screen's.
    const qreal ratio = qMax(painter.deviceTransform().m11(), devicePixelRatioF());
    const QPixmap &shadow = tile(ratio);

    const QRectF caster(m_caster->geometry());
    const QRectF outer = caster.adjusted(-BlurRadius, -BlurRadius, BlurRadius, BlurRadius);
    const qreal tileSize = shadow.width() / ratio;
    const qreal middle = tileSize / 2.0;
    const qreal line = 1.0 / ratio;
    const qreal w = BlurRadius + qMin(sliceInset(), caster.width() / 2.0);
    const qreal h = BlurRadius + qMin(sliceInset(), caster.height() / 2.0);
    const qreal innerWidth = outer.width() - 2.0 * w;
    const qreal innerHeight = outer.height() - 2.0 * h;

    const auto piece = [&](const QRectF &target, const QRectF &source) {
        if (!target.isEmpty())
            painter.drawPixmap(target, shadow, scaled(source, ratio));
    };
    piece({ outer.left(), outer.top(), w, h }, { 0.0, 0.0, w, h });
    piece({ outer.right() - w, outer.top(), w, h }, { tileSize - w, 0.0, w, h });
    piece({ outer.left(), outer.bottom() - h, w, h }, { 0.0, tileSize - h, w, h });
    piece({ outer.right() - w, outer.bottom() - h, w, h }, { tileSize - w, tileSize - h, w, h });
    piece({ outer.left() + w, outer.top(), innerWidth, h }, { middle, 0.0, line, h });
    piece({ outer.left() + w, outer.bottom() - h, innerWidth, h }, { middle, tileSize - h, line, h });
    piece({ outer.left(), outer.top() + h, w, innerHeight }, { 0.0, middle, w, line });
    piece({ outer.right() - w, outer.top() + h, w, innerHeight }, { tileSize - w, middle, w, line });
}
