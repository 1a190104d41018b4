#include "bookdecoder.h"
#include "fileloader.h"
#include "readingsession.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QColorDialog>
#include <QFontDatabase>
#include <QFontDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalSpy>

using namespace WindowDriver;

namespace {

enum class Change { ZoomIn, ZoomOut, Font, FullScreen };

const QString SampleBook = QStringLiteral(":/book/星灯童话集.txt");

QString bookText()
{
    QFile file(SampleBook);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return BookDecoder::decode(file.readAll()).text;
}

}

Q_DECLARE_METATYPE(Change)

class TestAppearance : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void zoomStaysWithinItsBounds_data();
    void zoomStaysWithinItsBounds();
    void zoomAfterTheFontDialogStartsFromTheChosenSize();
    void theFontDialogOpensOnTheFontInUse_data();
    void theFontDialogOpensOnTheFontInUse();
    void theFontDialogKeepsTheFontWhenNothingIsChanged();
    void theFontDialogTakesSizesBeyondTheZoomRange_data();
    void theFontDialogTakesSizesBeyondTheZoomRange();
    void theStoredFontSizeIsThePagesAndTheCounterOnlyTheZooms_data();
    void theStoredFontSizeIsThePagesAndTheCounterOnlyTheZooms();
    void cancelledDialogChangesNothing_data();
    void cancelledDialogChangesNothing();
    void acceptedColourRecutsNothing_data();
    void acceptedColourRecutsNothing();
    void recutKeepsTheReadersPlace_data();
    void recutKeepsTheReadersPlace();
    void recutShowsTheReadersPageInPlace_data();
    void recutShowsTheReadersPageInPlace();

private:
    void openWindow();
    void openWindowOnSampleBook();
    void click(const char *buttonName);
    void chooseFont(int pointSize);
    std::vector<QString> pagesOnShow() const;
    QString label(int page, size_t pageCount) const;
    FileLoader *loader() const;

    std::unique_ptr<MainWindow> m_window;
};

void TestAppearance::init()
{
    startAfresh();
}

void TestAppearance::cleanup()
{
    m_window.reset();
}

// The window reads the store as it is built, so tests set their start values before this.
void TestAppearance::openWindow()
{
    m_window = std::make_unique<MainWindow>();
}

void TestAppearance::openWindowOnSampleBook()
{
    openWindow();
    QSignalSpy loaded(loader(), &FileLoader::fileLoaded);
    m_window->show();
    QVERIFY(loaded.wait(10000));
    // The first page also holds the first chapter's heading, named after the book.
    QVERIFY(bookName(*m_window).startsWith(QStringLiteral("星灯童话集")));
    waitForTurns(*m_window);
}

void TestAppearance::click(const char *buttonName)
{
    child<QAbstractButton>(*m_window, buttonName)->click();
}

void TestAppearance::chooseFont(int pointSize)
{
    onNextModal([pointSize](QWidget *modal) {
        auto *dialog = qobject_cast<QFontDialog *>(modal);
        QVERIFY(dialog);
        QFont font = dialog->currentFont();
        font.setPointSize(pointSize);
        dialog->setCurrentFont(font);
        dialog->accept();
    });
    click("fontButton");
}

// The sample book cut as the window cuts it for the font and text area now on show.
std::vector<QString> TestAppearance::pagesOnShow() const
{
    const PageWidget *widget = pageWidget(*m_window);
    const PageFormat format{ widget->textFont(), widget->textArea().size(),
                             m_window->findChild<ReadingSession *>()->format().chaptersStartPages };
    const QString text = bookText();
    return Paginator(format).paginate(text, ChapterDetector::detect(text));
}

QString TestAppearance::label(int page, size_t pageCount) const
{
    return QStringLiteral("第 %1 页/共 %2 页").arg(page + 1).arg(pageCount);
}

FileLoader *TestAppearance::loader() const
{
    return m_window->findChild<FileLoader *>();
}

void TestAppearance::zoomStaysWithinItsBounds_data()
{
    QTest::addColumn<int>("counter");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QList<int>>("sizes");

    const QByteArray in("zoomInButton");
    const QByteArray out("zoomOutButton");
    QTest::newRow("up to the largest") << 28 << in << QList<int>{ 30, 30 };
    QTest::newRow("down to the smallest") << 10 << out << QList<int>{ 8, 8 };
    QTest::newRow("odd size up") << 15 << in << QList<int>{ 17, 19 };
    QTest::newRow("odd size down") << 13 << out << QList<int>{ 11, 9, 8 };
    QTest::newRow("odd size at the top") << 29 << in << QList<int>{ 30 };
    // A size beyond the zoom's range (a font chosen by name) is never pulled back across it:
    // a step in never makes the text smaller, a step out never larger.
    QTest::newRow("above the range, down") << 40 << out << QList<int>{ 38, 36 };
    QTest::newRow("above the range, up") << 40 << in << QList<int>{ 40 };
    QTest::newRow("below the range, up") << 6 << in << QList<int>{ 8, 10 };
    QTest::newRow("below the range, down") << 6 << out << QList<int>{ 6 };
    // Stored sizes no font can be chosen in are taken as the nearest that can.
    QTest::newRow("far below the range, up") << 2 << in << QList<int>{ 8 };
}

void TestAppearance::zoomStaysWithinItsBounds()
{
    QFETCH(int, counter);
    QFETCH(QByteArray, button);
    QFETCH(QList<int>, sizes);

    store().setValue(QStringLiteral("fontSize"), counter);
    openWindow();
    for (int size : sizes) {
        click(button.constData());
        QCOMPARE(pageWidget(*m_window)->textFont().pointSize(), size);
    }
}

void TestAppearance::zoomAfterTheFontDialogStartsFromTheChosenSize()
{
    openWindow();
    chooseFont(20);
    const QFont chosen = pageWidget(*m_window)->textFont();
    QCOMPARE(chosen.pointSize(), 20);

    click("zoomInButton");
    QCOMPARE(pageWidget(*m_window)->textFont().pointSize(), 22);
    QCOMPARE(pageWidget(*m_window)->textFont().family(), chosen.family());
}

void TestAppearance::cancelledDialogChangesNothing_data()
{
    QTest::addColumn<QByteArray>("button");

    QTest::newRow("font") << QByteArray("fontButton");
    QTest::newRow("text colour") << QByteArray("textColorButton");
    QTest::newRow("background colour") << QByteArray("colorButton");
}

void TestAppearance::cancelledDialogChangesNothing()
{
    QFETCH(QByteArray, button);
    openWindowOnSampleBook();
    PageWidget *widget = pageWidget(*m_window);
    const QImage before = widget->grab().toImage();
    const QFont font = widget->textFont();
    const QString pageLabelBefore = pageLabel(*m_window);
    QSignalSpy recut(loader(), &FileLoader::pagesRecut);

    bool dialogShown = false;
    onNextModal([&dialogShown](QWidget *modal) {
        dialogShown = true;
        qobject_cast<QDialog *>(modal)->reject();
    });
    click(button.constData());

    QVERIFY(dialogShown);
    QCOMPARE(widget->textFont(), font);
    QCOMPARE(widget->grab().toImage(), before);
    QTest::qWait(300);
    QCOMPARE(recut.count(), 0);
    QCOMPARE(pageLabel(*m_window), pageLabelBefore);
}

void TestAppearance::acceptedColourRecutsNothing_data()
{
    QTest::addColumn<QByteArray>("button");

    QTest::newRow("text colour") << QByteArray("textColorButton");
    QTest::newRow("background colour") << QByteArray("colorButton");
}

void TestAppearance::acceptedColourRecutsNothing()
{
    QFETCH(QByteArray, button);
    openWindowOnSampleBook();
    QTest::keyClick(m_window.get(), Qt::Key_End);
    waitForTurns(*m_window);
    PageWidget *widget = pageWidget(*m_window);
    const QImage before = widget->grab().toImage();
    const QString pageLabelBefore = pageLabel(*m_window);
    QSignalSpy recut(loader(), &FileLoader::pagesRecut);

    onNextModal([](QWidget *modal) {
        auto *dialog = qobject_cast<QColorDialog *>(modal);
        QVERIFY(dialog);
        dialog->setCurrentColor(QColor(40, 90, 160));
        dialog->accept();
    });
    click(button.constData());

    QVERIFY(widget->grab().toImage() != before);
    QTest::qWait(500);
    QCOMPARE(recut.count(), 0);
    QCOMPARE(pageLabel(*m_window), pageLabelBefore);
    QVERIFY(!widget->isTurning());
}

void TestAppearance::recutKeepsTheReadersPlace_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<int>("growth");

    QTest::newRow("three zoom steps in") << Change::ZoomIn << 1;
    QTest::newRow("three zoom steps out") << Change::ZoomOut << -1;
    QTest::newRow("a larger font") << Change::Font << 1;
    QTest::newRow("full screen") << Change::FullScreen << 0;
}

// The reader goes to page 10; after the change the label and the page at rest are the page
// of the new cut that holds the first character of that page.
void TestAppearance::recutKeepsTheReadersPlace()
{
    QFETCH(Change, change);
    QFETCH(int, growth);
    openWindowOnSampleBook();
    const std::vector<QString> before = pagesOnShow();
    QCOMPARE(pageLabel(*m_window), label(0, before.size()));
    for (int i = 0; i < 9; ++i)
        QTest::keyClick(m_window.get(), Qt::Key_PageDown);
    QCOMPARE(pageLabel(*m_window), label(9, before.size()));
    const qsizetype readingOffset = Paginator::offsetOfPage(before, 9);
    QSignalSpy recut(loader(), &FileLoader::pagesRecut);

    switch (change) {
    case Change::ZoomIn:
    case Change::ZoomOut:
        for (int i = 0; i < 3; ++i)
            click(change == Change::ZoomIn ? "zoomInButton" : "zoomOutButton");
        break;
    case Change::Font:
        chooseFont(22);
        break;
    case Change::FullScreen:
        click("fullscreenButton");
        QTRY_VERIFY(m_window->isFullScreen());
        break;
    }
    QTRY_VERIFY_WITH_TIMEOUT(recut.count() > 0, 10000);

    const std::vector<QString> after = pagesOnShow();
    const int readingPage = Paginator::pageAtOffset(after, readingOffset);
    QTRY_COMPARE(pageLabel(*m_window), label(readingPage, after.size()));
    if (growth > 0)
        QVERIFY(after.size() > before.size());
    else if (growth < 0)
        QVERIFY(after.size() < before.size());
    else
        QVERIFY(after.size() != before.size());
    waitForTurns(*m_window);
    QCOMPARE(pageWidget(*m_window)->restingPage(), readingPage);
}

void TestAppearance::recutShowsTheReadersPageInPlace_data()
{
    QTest::addColumn<int>("counter");
    QTest::addColumn<bool>("recuts");

    QTest::newRow("zoom step") << 14 << true;
    QTest::newRow("zoom step at the largest size") << 30 << false;
}

// A re-cut is not a page turn the reader asked for: their page is shown at once, without the
// book's first page curling away over it.
void TestAppearance::recutShowsTheReadersPageInPlace()
{
    QFETCH(int, counter);
    QFETCH(bool, recuts);
    store().setValue(QStringLiteral("fontSize"), counter);
    store().setValue(QStringLiteral("textFontSize"), counter);
    openWindowOnSampleBook();
    for (int i = 0; i < 9; ++i)
        QTest::keyClick(m_window.get(), Qt::Key_PageDown);
    waitForTurns(*m_window);
    QSignalSpy recut(loader(), &FileLoader::pagesRecut);

    const QString label = pageLabel(*m_window);
    click("zoomInButton");
    // A step at the limit leaves the font as it was: nothing to cut anew.
    QCOMPARE(recut.wait(recuts ? 10000 : 500), recuts);

    QVERIFY(!pageWidget(*m_window)->isTurning());
    if (!recuts)
        QCOMPARE(pageLabel(*m_window), label);
}


void TestAppearance::theFontDialogOpensOnTheFontInUse_data()
{
    QTest::addColumn<QString>("storedFamily");
    QTest::addColumn<int>("storedSize");
    QTest::addColumn<QString>("shownFamily");

    // The reading family is drawn in the first installed of its substitutes, not in the
    // rare-ideograph family that follows them.
    QTest::newRow("reading family") << QString() << 14 << QStringLiteral("WenQuanYi Micro Hei");
    QTest::newRow("reading family, larger") << QString() << 20 << QStringLiteral("WenQuanYi Micro Hei");
    QTest::newRow("an installed family") << QStringLiteral("DejaVu Serif") << 18 << QStringLiteral("DejaVu Serif");
}

void TestAppearance::theFontDialogOpensOnTheFontInUse()
{
    QFETCH(QString, storedFamily);
    QFETCH(int, storedSize);
    QFETCH(QString, shownFamily);
    if (!QFontDatabase::families().contains(shownFamily))
        QSKIP("the family is not installed here");
    if (!storedFamily.isEmpty())
        store().setValue(QStringLiteral("textFontFamily"), storedFamily);
    store().setValue(QStringLiteral("textFontSize"), storedSize);
    openWindow();

    QFont shown;
    QString sample;
    onNextModal([&shown, &sample](QWidget *modal) {
        auto *dialog = qobject_cast<QFontDialog *>(modal);
        QVERIFY(dialog);
        shown = dialog->currentFont();
        for (auto *box : dialog->findChildren<QGroupBox *>()) {
            for (auto *edit : box->findChildren<QLineEdit *>())
                sample += edit->text();
        }
        dialog->reject();
    });
    click("fontButton");
    QCOMPARE(shown.family(), shownFamily);
    QCOMPARE(shown.pointSize(), storedSize);
    QVERIFY(std::any_of(sample.cbegin(), sample.cend(), [](QChar c) { return c.script() == QChar::Script_Han; }));
}

void TestAppearance::theFontDialogKeepsTheFontWhenNothingIsChanged()
{
    store().setValue(QStringLiteral("textFontSize"), 18);
    openWindow();
    const QFont before = pageWidget(*m_window)->textFont();
    onNextModal([](QWidget *modal) {
        auto *dialog = qobject_cast<QFontDialog *>(modal);
        QVERIFY(dialog);
        dialog->accept();
    });
    click("fontButton");
    QCOMPARE(pageWidget(*m_window)->textFont().family(), before.family());
    QCOMPARE(pageWidget(*m_window)->textFont().pointSize(), 18);
    QCOMPARE(store().value(QStringLiteral("textFontFamily")).toString(), before.family());
}

void TestAppearance::theFontDialogTakesSizesBeyondTheZoomRange_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("smallest") << 6;
    QTest::newRow("36 points") << 36;
    QTest::newRow("72 points") << 72;
}

void TestAppearance::theFontDialogTakesSizesBeyondTheZoomRange()
{
    QFETCH(int, size);
    openWindow();
    chooseFont(size);
    QCOMPARE(pageWidget(*m_window)->textFont().pointSize(), size);
    QCOMPARE(store().value(QStringLiteral("textFontSize")).toInt(), size);
    m_window.reset();

    openWindow();
    QCOMPARE(pageWidget(*m_window)->textFont().pointSize(), size);
}

// A store with a font chosen at 20 points and a zoom counter never moved from 14: the page is
// drawn at 20 points, the store is left as it is, and the first zoom step starts from 14.
void TestAppearance::theStoredFontSizeIsThePagesAndTheCounterOnlyTheZooms_data()
{
    QTest::addColumn<int>("counter");
    QTest::addColumn<int>("fontSize");
    QTest::addColumn<QByteArray>("button");
    QTest::addColumn<QList<int>>("sizes");

    QTest::newRow("font chosen, zoom in") << 14 << 20 << QByteArray("zoomInButton") << QList<int>{ 16, 18 };
    QTest::newRow("zoomed, font kept") << 20 << 14 << QByteArray("zoomInButton") << QList<int>{ 22, 24 };
    QTest::newRow("font chosen, zoom out") << 14 << 20 << QByteArray("zoomOutButton") << QList<int>{ 12, 10 };
}

void TestAppearance::theStoredFontSizeIsThePagesAndTheCounterOnlyTheZooms()
{
    QFETCH(int, counter);
    QFETCH(int, fontSize);
    QFETCH(QByteArray, button);
    QFETCH(QList<int>, sizes);

    store().setValue(QStringLiteral("fontSize"), counter);
    store().setValue(QStringLiteral("textFontSize"), fontSize);
    openWindow();
    QCOMPARE(pageWidget(*m_window)->textFont().pointSize(), fontSize);
    QCOMPARE(store().value(QStringLiteral("textFontSize")).toInt(), fontSize);
    QCOMPARE(store().value(QStringLiteral("fontSize")).toInt(), counter);
    for (int size : sizes) {
        click(button.constData());
        QCOMPARE(pageWidget(*m_window)->textFont().pointSize(), size);
    }
}

LEXORIN_TEST_MAIN(TestAppearance)
#include "tst_appearance.moc"
