#include "fileloader.h"
#include "mainwindow.h"
#include "testmain.h"
#include "windowshadow.h"

#include <QFrame>
#include <QGraphicsDropShadowEffect>
#include <QSignalSpy>
#include <QVBoxLayout>

#include <algorithm>

// The cached shadow must look like the drop shadow effect it stands in for, at every device
// pixel ratio, and must leave what it is drawn behind as it was.
class TestWindowShadow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void mainWindowLooksAsWithTheEffect_data();
    void mainWindowLooksAsWithTheEffect();
    void roundedCasterLooksAsWithTheEffect_data();
    void roundedCasterLooksAsWithTheEffect();
    void followsTheCaster();
};

namespace {

// The largest difference of one channel (alpha included) over an area of two images.
int largestDifference(const QImage &a, const QImage &b, const QRegion &area)
{
    int largest = 0;
    for (const QRect &rect : area) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QRgb p = a.pixel(x, y);
                const QRgb q = b.pixel(x, y);
                largest = std::max({ largest, qAbs(qRed(p) - qRed(q)), qAbs(qGreen(p) - qGreen(q)),
                                 qAbs(qBlue(p) - qBlue(q)), qAbs(qAlpha(p) - qAlpha(q)) });
            }
        }
    }
    return largest;
}

QImage render(QWidget &widget, qreal ratio)
{
    QImage image(widget.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    widget.render(&image);
    return image;
}

QRect inDevicePixels(const QRect &rect, qreal ratio)
{
    return { (QPointF(rect.topLeft()) * ratio).toPoint(), (QSizeF(rect.size()) * ratio).toSize() };
}

// The part of the caster that covers all it stands on: its rectangle less the rounded corners.
QRegion opaquePart(const QWidget &caster, qreal radius, qreal ratio)
{
    const QRect rect = inDevicePixels(QRect(caster.mapTo(caster.window(), QPoint()), caster.size()), ratio);
    const int corner = qCeil(radius * ratio);
    return QRegion(rect.adjusted(corner, 0, -corner, 0)) + rect.adjusted(0, corner, 0, -corner);
}

enum class Look { Cached, Effect, Bare };

// Renders the caster's window with the cached shadow, with the effect on the caster's parent
// in its place, or with neither. An effect shows only when its widget is drawn inside another.
QImage renderWith(Look look, QWidget &caster, WindowShadow &shadow, qreal ratio)
{
    QWidget &parent = *caster.parentWidget();
    shadow.setVisible(look == Look::Cached);
    QGraphicsDropShadowEffect *effect = nullptr;
    if (look == Look::Effect) {
        effect = new QGraphicsDropShadowEffect(&parent);
        effect->setBlurRadius(20.0);
        effect->setColor(QColor(0, 0, 0, 80));
        effect->setOffset(0.0, 0.0);
    }
    parent.setGraphicsEffect(effect);
    return render(*caster.window(), ratio);
}

// The blur is the effect's own, made once on a smaller caster: what may differ is a level of
// rounding where the stretched slices meet, never a visible step.
constexpr int Tolerance = 2;

void compareLooks(QWidget &caster, WindowShadow &shadow, qreal ratio)
{
    QVERIFY(caster.window()->isVisible());
    const QImage cached = renderWith(Look::Cached, caster, shadow, ratio);
    const QImage effect = renderWith(Look::Effect, caster, shadow, ratio);
    const QImage bare = renderWith(Look::Bare, caster, shadow, ratio);

    const QRegion inside = opaquePart(caster, shadow.cornerRadius(), ratio);
    const QRegion band = QRegion(cached.rect()) - inside;
    const int difference = largestDifference(cached, effect, band);
    QVERIFY2(difference <= Tolerance, qPrintable(QStringLiteral("differs by %1").arg(difference)));
    QVERIFY2(largestDifference(bare, cached, band) > 10, "no shadow drawn");
    QCOMPARE(largestDifference(cached, bare, inside), 0);
}

}

// The window's frame is opaque only as the style sheet paints it.
void TestWindowShadow::initTestCase()
{
    QVERIFY(loadStyleSheet(*qApp));
}

void TestWindowShadow::mainWindowLooksAsWithTheEffect_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("ratio 1") << 1.0;
    QTest::newRow("ratio 2") << 2.0;
}

void TestWindowShadow::mainWindowLooksAsWithTheEffect()
{
    QFETCH(qreal, ratio);
    MainWindow window;
    QSignalSpy loaded(window.findChild<FileLoader *>(), &FileLoader::fileLoaded);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(loaded.wait(60000));
    auto *shadow = window.findChild<WindowShadow *>();
    QVERIFY(shadow);
    compareLooks(*window.findChild<QWidget *>("frameMain"), *shadow, ratio);
}

void TestWindowShadow::roundedCasterLooksAsWithTheEffect_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<int>("radius");
    QTest::addColumn<int>("margin");
    QTest::newRow("radius 8, ratio 1") << 1.0 << 8 << 10;
    QTest::newRow("radius 8, ratio 2") << 2.0 << 8 << 10;
    QTest::newRow("radius 16, wide margin, ratio 1") << 1.0 << 16 << 30;
    QTest::newRow("radius 16, wide margin, ratio 2") << 2.0 << 16 << 30;
}

void TestWindowShadow::roundedCasterLooksAsWithTheEffect()
{
    QFETCH(qreal, ratio);
    QFETCH(int, radius);
    QFETCH(int, margin);
    QWidget window;
    window.resize(240, 160);
    auto *holder = new QWidget(&window);
    holder->setGeometry(window.rect());
    auto *layout = new QVBoxLayout(holder);
    layout->setContentsMargins(margin, margin, margin, margin);
    auto *caster = new QFrame;
    caster->setStyleSheet(QStringLiteral("background: #ffffff; border-radius: %1px;").arg(radius));
    layout->addWidget(caster);
    auto *shadow = new WindowShadow(caster);
    shadow->setCornerRadius(radius);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    compareLooks(*caster, *shadow, ratio);
}

void TestWindowShadow::followsTheCaster()
{
    QWidget window;
    window.resize(300, 200);
    auto *holder = new QWidget(&window);
    holder->setGeometry(window.rect());
    auto *caster = new QFrame(holder);
    caster->setGeometry(20, 20, 100, 80);
    caster->setStyleSheet(QStringLiteral("background: #ffffff;"));
    auto *shadow = new WindowShadow(caster);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    window.resize(400, 300);
    holder->setGeometry(window.rect());
    caster->setGeometry(150, 120, 200, 150);
    QCOMPARE(shadow->geometry(), holder->rect());
    QVERIFY(shadow->isVisible());
    compareLooks(*caster, *shadow, 1.0);
}

LEXORIN_TEST_MAIN(TestWindowShadow)
#include "tst_windowshadow.moc"
