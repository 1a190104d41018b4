#include "fileloader.h"
#include "mainwindow.h"
#include "pagewidget.h"
#include "readingsession.h"
#include "testmain.h"
#include "windowshadow.h"

#include <QElapsedTimer>
#include <QGraphicsDropShadowEffect>
#include <QProcess>
#include <QSignalSpy>

#include <algorithm>

// Times the frames of a page curl as the shown main window paints them, at device pixel
// ratios 1 and 2, with the window's shadow as built, with the graphics effect it once had,
// and with no shadow at all as the floor; and the turn of a two-page spread in a wide window. A ratio other than the screen's runs in a child
// process started with QT_SCALE_FACTOR, so every frame goes through the real backing store.
class BenchCurl : public QObject
{
    Q_OBJECT

public:
    enum Shadow { AsBuilt, GraphicsEffect, NoShadow, Spread };
    Q_ENUM(Shadow)

private slots:
    void curlFrame_data();
    void curlFrame();
    void wholeWindow_data();
    void wholeWindow();

private:
    enum class Paint { PageWidget, Window };
    void addRows();
    void measure(Paint paint);
};

namespace {

constexpr int Steps = 48;
constexpr int Sweeps = 2;
constexpr int WarmUpFrames = 5;
constexpr int FullPage = 4;
const QSize SpreadWindow(1400, 800);

class FrameTimes
{
public:
    void add(qint64 nanoseconds) { m_milliseconds.push_back(nanoseconds / 1e6); }
    double median() { return percentile(50); }

    double percentile(int percent)
    {
        std::sort(m_milliseconds.begin(), m_milliseconds.end());
        const auto rank = qsizetype(std::ceil(percent / 100.0 * m_milliseconds.size())) - 1;
        return m_milliseconds.at(qBound(qsizetype(0), rank, m_milliseconds.size() - 1));
    }

    qsizetype count() const { return m_milliseconds.size(); }

private:
    QList<double> m_milliseconds;
};

void useShadow(MainWindow &window, BenchCurl::Shadow shadow)
{
    if (shadow == BenchCurl::AsBuilt || shadow == BenchCurl::Spread)
        return;
    for (WindowShadow *built : window.findChildren<WindowShadow *>())
        built->hide();
    QGraphicsDropShadowEffect *effect = nullptr;
    if (shadow == BenchCurl::GraphicsEffect) {
        effect = new QGraphicsDropShadowEffect(&window);
        effect->setBlurRadius(20.0);
        effect->setColor(QColor(0, 0, 0, 80));
        effect->setOffset(0.0, 0.0);
    }
    window.centralWidget()->setGraphicsEffect(effect);
}

// The row in a child process whose screens have the ratio asked for; its report is passed on.
bool runAtRatio(qreal ratio)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(ratio));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const QString row = QStringLiteral("%1:%2").arg(QLatin1String(QTest::currentTestFunction()),
                                                    QLatin1String(QTest::currentDataTag()));
    child.start(QCoreApplication::applicationFilePath(), { row });
    if (!child.waitForFinished(600000))
        return false;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        if (line.startsWith("QINFO") || line.startsWith("FAIL"))
            qInfo().noquote() << QString::fromUtf8(line.mid(line.indexOf(") ") + 2)).trimmed();
    }
    return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

}

void BenchCurl::addRows()
{
    QTest::addColumn<Shadow>("shadow");
    QTest::addColumn<qreal>("ratio");
    for (qreal ratio : { 1.0, 2.0 }) {
        for (Shadow shadow : { AsBuilt, GraphicsEffect, NoShadow, Spread }) {
            const char *name = QMetaEnum::fromType<Shadow>().valueToKey(shadow);
            QTest::newRow(qPrintable(QStringLiteral("%1, ratio %2").arg(QLatin1String(name)).arg(ratio)))
                    << shadow << ratio;
        }
    }
}

void BenchCurl::curlFrame_data()
{
    addRows();
}

// A frame as the animation gives it: the page widget's progress moves and the window paints
// what that dirtied, the shadow and everything else it takes with it.
void BenchCurl::curlFrame()
{
    measure(Paint::PageWidget);
}

void BenchCurl::wholeWindow_data()
{
    addRows();
}

// The worst case for a frame: the whole window painted anew at each step of the curl.
void BenchCurl::wholeWindow()
{
    measure(Paint::Window);
}

void BenchCurl::measure(Paint paint)
{
    QFETCH(Shadow, shadow);
    QFETCH(qreal, ratio);
    if (!qFuzzyCompare(qApp->devicePixelRatio(), ratio)) {
        QVERIFY(runAtRatio(ratio));
        return;
    }

    MainWindow window;
    auto *loader = window.findChild<FileLoader *>();
    QSignalSpy loaded(loader, &FileLoader::fileLoaded);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(loaded.wait(60000));
    useShadow(window, shadow);
    QTest::qWait(50);

    // A page full of text, as most of a book is; the sample's first page holds only its title.
    // A window fitted to a small screen is cut anew once it settles; turns wait for that cut.
    PageWidget *page = window.findChild<PageWidget *>();
    auto *session = window.findChild<ReadingSession *>();
    if (shadow == Spread) {
        window.resize(SpreadWindow);
        page->setSpreadAllowed(true);
        QVERIFY(page->showsSpread());
    }
    QTRY_VERIFY_WITH_TIMEOUT(session->state() == ReadingSession::State::Reading && session->isComplete()
                                     && session->pagesFormat().textArea == page->textArea().size(),
                             60000);
    session->goTo(FullPage);
    QTRY_VERIFY(!page->isTurning());
    window.onNextPage();
    QTRY_VERIFY(page->isTurning());
    QWidget *painted = paint == Paint::PageWidget ? static_cast<QWidget *>(page) : &window;

    // No events are processed from here on, so the turn's own animation stands still.
    FrameTimes times;
    QElapsedTimer clock;
    for (int frame = -WarmUpFrames; frame < Steps * Sweeps; ++frame) {
        const int step = (frame + WarmUpFrames) % Steps;
        clock.start();
        page->setFlipProgress(float(step + 1) / float(Steps + 1));
        painted->repaint();
        const qint64 elapsed = clock.nsecsElapsed();
        if (frame >= 0)
            times.add(elapsed);
    }
    qInfo("%s window at ratio %g: median %.2f ms, 95th percentile %.2f ms over %lld frames",
          page->showsSpread() ? "spread" : "single-page", window.devicePixelRatio(), times.median(), times.percentile(95), qint64(times.count()));
}

int main(int argc, char *argv[])
{
    QTemporaryDir configHome;
    qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", configHome.path().toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    applyApplicationFont();
    // The frame the shadow is cast by is opaque only as the style sheet paints it.
    loadStyleSheet(app);
    BenchCurl bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_curl.moc"
