#include "bookdecoder.h"
#include "fileloader.h"
#include "mainmenu.h"
#include "readingsession.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QComboBox>
#include <QDialog>
#include <QSignalSpy>
#include <QSpinBox>

using namespace WindowDriver;

namespace {

const QString SampleBook = QStringLiteral(":/book/星灯童话集.txt");

QString bookText()
{
    QFile file(SampleBook);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return BookDecoder::decode(file.readAll()).text;
}

}

// The switch between the original layout and the book layout, from the main menu and the
// preferences dialog: what the page shows, what the store keeps.
class TestLayout : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void aStoreWithoutLayoutShowsTheOriginalPages();
    void theMenuSwitchCutsBookPages();
    void preferencesApplyAtOnceAndAreKept();

private:
    void openWindowOnSampleBook();
    std::vector<QString> pagesFor(const TypesetStyle &style) const;
    std::vector<QString> pagesOnShow() const;
    QAction *menuItem(const QString &text) const;

    std::unique_ptr<MainWindow> m_window;
};

void TestLayout::init()
{
    startAfresh();
}

void TestLayout::cleanup()
{
    m_window.reset();
}

void TestLayout::openWindowOnSampleBook()
{
    m_window = std::make_unique<MainWindow>();
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->show();
    QVERIFY(loaded.wait(10000));
    waitForTurns(*m_window);
}

// The sample book cut as the window cuts it for the font and text area now on show.
std::vector<QString> TestLayout::pagesFor(const TypesetStyle &style) const
{
    const PageWidget *widget = pageWidget(*m_window);
    const QString text = bookText();
    // Chapters run on unless the reader asks for them to start pages.
    return Paginator(PageFormat(widget->textFont(), widget->textArea().size(), false, style))
            .paginate(text, ChapterDetector::detect(text));
}

std::vector<QString> TestLayout::pagesOnShow() const
{
    return m_window->findChild<ReadingSession *>()->pages().pageTexts();
}

QAction *TestLayout::menuItem(const QString &text) const
{
    for (QAction *action : m_window->findChild<MainMenu *>()->actions()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

void TestLayout::aStoreWithoutLayoutShowsTheOriginalPages()
{
    openWindowOnSampleBook();
    const PageWidget *widget = pageWidget(*m_window);
    QVERIFY(!widget->typesetStyle().book);
    QCOMPARE(widget->textArea(), widget->rect().adjusted(30, 30, -30, -30));
    QCOMPARE(pagesOnShow(), pagesFor(TypesetStyle()));
    QVERIFY(!menuItem(QStringLiteral("书籍排版"))->isChecked());
    QVERIFY(!store().contains(QStringLiteral("layout")));
}

void TestLayout::theMenuSwitchCutsBookPages()
{
    openWindowOnSampleBook();
    QSignalSpy recut(m_window->findChild<FileLoader *>(), &FileLoader::pagesRecut);
    menuItem(QStringLiteral("书籍排版"))->trigger();
    QVERIFY(recut.wait(10000));

    TypesetStyle book;
    book.book = true;
    QCOMPARE(pageWidget(*m_window)->typesetStyle(), book);
    QTRY_COMPARE(pagesOnShow(), pagesFor(book));
    QCOMPARE(store().value(QStringLiteral("layout")).toString(), QStringLiteral("book"));
    QVERIFY(menuItem(QStringLiteral("书籍排版"))->isChecked());

    menuItem(QStringLiteral("书籍排版"))->trigger();
    QVERIFY(recut.wait(10000));
    QTRY_COMPARE(pagesOnShow(), pagesFor(TypesetStyle()));
    QCOMPARE(store().value(QStringLiteral("layout")).toString(), QStringLiteral("original"));
}

// Each change shows on the page while the dialog is still open.
void TestLayout::preferencesApplyAtOnceAndAreKept()
{
    openWindowOnSampleBook();
    PageWidget *widget = pageWidget(*m_window);
    bool checked = false;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QDialog *>(modal);
        QVERIFY(dialog);
        dialog->findChild<QComboBox *>(QStringLiteral("layoutBox"))->setCurrentIndex(1);
        QVERIFY(widget->typesetStyle().book);
        dialog->findChild<QSpinBox *>(QStringLiteral("lineSpacingBox"))->setValue(200);
        QCOMPARE(widget->typesetStyle().lineSpacing, 200);
        dialog->findChild<QComboBox *>(QStringLiteral("marginsBox"))->setCurrentIndex(2);
        QCOMPARE(widget->textArea(), widget->rect().adjusted(56, 56, -56, -56));
        checked = true;
        dialog->reject();
    });
    menuItem(QStringLiteral("偏好设置…"))->trigger();
    QVERIFY(checked);

    QCOMPARE(store().value(QStringLiteral("lineSpacing")).toInt(), 200);
    QCOMPARE(store().value(QStringLiteral("margins")).toString(), QStringLiteral("wide"));
    TypesetStyle expected;
    expected.book = true;
    expected.lineSpacing = 200;
    QTRY_COMPARE_WITH_TIMEOUT(pagesOnShow(), pagesFor(expected), 10000);
}

LEXORIN_TEST_MAIN(TestLayout)
#include "tst_layout.moc"
