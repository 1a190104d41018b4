#include "contentspage.h"
#include "conversionmenu.h"
#include "readingsession.h"
#include "scriptconverter.h"
#include "searchresultslist.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>

using namespace WindowDriver;

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsThePageInTheChosenScript();
    void findsWhatIsTypedInEitherScript_data();
    void findsWhatIsTypedInEitherScript();
    void namesChaptersAndResultsInTheChosenScript();
    void theChoiceIsRemembered();
    void aBookKeepsAChoiceOfItsOwn();

private:
    static QString bookText();
    void openWindowOnBook();
    QString writeBook(const QString &name) const;
    void openBook(const QString &path);
    void setOnlyThisBook(bool on);
    std::vector<QString> shownPages(ScriptConverter::Conversion conversion) const;
    void choose(const QString &key);
    ReadingSession *session() const { return m_window->findChild<ReadingSession *>(); }
    QImage pageDrawnFrom(const std::vector<QString> &pages) const;

    QTemporaryDir m_dir;
    std::unique_ptr<MainWindow> m_window;
};

QString TestConversion::bookText()
{
    QStringList lines{ QStringLiteral("第一章 头发的故事") };
    for (int i = 0; i < 30; ++i)
        lines << QStringLiteral("　　那一年我们在里面见面，后来她说了很多的话，天色渐渐暗了下来。");
    lines << QStringLiteral("第二章 后来") << QStringLiteral("　　她把头发扎了起来。");
    return lines.join(u'\n');
}

void TestConversion::init()
{
    startAfresh();
    openWindowOnBook();
}

void TestConversion::cleanup()
{
    m_window.reset();
}

QString TestConversion::writeBook(const QString &name) const
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bookText().toUtf8());
    return path;
}

void TestConversion::openWindowOnBook()
{
    m_window = std::make_unique<MainWindow>();
    m_window->show();
    QTRY_VERIFY_WITH_TIMEOUT(session()->state() == ReadingSession::State::Reading, 10000);
    openBook(writeBook(QStringLiteral("简繁练习.txt")));
}

void TestConversion::openBook(const QString &path)
{
    m_window->onBookSelectedByPath(path);
    QTRY_VERIFY_WITH_TIMEOUT(session()->book() == path && session()->isComplete(), 10000);
    waitForTurns(*m_window);
}

void TestConversion::setOnlyThisBook(bool on)
{
    const QList<QAction *> actions = m_window->findChild<ConversionMenu *>()->actions();
    QAction *only = actions.last();
    QVERIFY(only->isEnabled());
    if (only->isChecked() != on)
        only->trigger();
    QCOMPARE(only->isChecked(), on);
}

std::vector<QString> TestConversion::shownPages(ScriptConverter::Conversion conversion) const
{
    const ScriptConverter converter(conversion);
    std::vector<QString> shown;
    for (const QString &page : session()->pages().pageTexts())
        shown.push_back(converter.convert(page));
    return shown;
}

void TestConversion::choose(const QString &key)
{
    auto *menu = m_window->findChild<ConversionMenu *>();
    QVERIFY(menu);
    const QList<QAction *> actions = menu->actions();
    const auto item = std::find_if(actions.begin(), actions.end(),
                                   [&key](QAction *action) { return action->data() == key; });
    QVERIFY(item != actions.end());
    (*item)->trigger();
    QVERIFY((*item)->isChecked());
}

// The same pages given to a page widget of the same size and font, already converted.
QImage TestConversion::pageDrawnFrom(const std::vector<QString> &pages) const
{
    PageWidget *shown = pageWidget(*m_window);
    PageWidget reference;
    reference.resize(shown->size());
    reference.setTextFont(shown->textFont());
    reference.setHeadings(session()->pageHeadings());
    reference.setPages(pages);
    reference.showPage(shown->restingPage());
    return reference.grab().toImage();
}

void TestConversion::showsThePageInTheChosenScript()
{
    PageWidget *widget = pageWidget(*m_window);
    const QString label = pageLabel(*m_window);
    const QImage before = widget->grab().toImage();
    QCOMPARE(before, pageDrawnFrom(session()->pages().pageTexts()));

    choose(QStringLiteral("s2t"));
    std::vector<QString> converted;
    const ScriptConverter converter(ScriptConverter::Conversion::SimplifiedToTraditional);
    for (const QString &page : session()->pages().pageTexts())
        converted.push_back(converter.convert(page));
    QVERIFY(converted.front().startsWith(QStringLiteral("第一章 頭髮的故事")));
    const QImage after = widget->grab().toImage();
    QVERIFY(after != before);
    QCOMPARE(after, pageDrawnFrom(converted));
    QCOMPARE(pageLabel(*m_window), label);

    choose(QStringLiteral("none"));
    QCOMPARE(widget->grab().toImage(), before);
}

void TestConversion::findsWhatIsTypedInEitherScript_data()
{
    QTest::addColumn<QString>("conversion");
    QTest::addColumn<QString>("typed");

    QTest::newRow("shown traditional, typed traditional") << "s2t" << QStringLiteral("扎了起來");
    QTest::newRow("shown traditional, typed simplified") << "s2t" << QStringLiteral("扎了起来");
    QTest::newRow("shown as it is, typed simplified") << "none" << QStringLiteral("扎了起来");
}

void TestConversion::findsWhatIsTypedInEitherScript()
{
    QFETCH(QString, conversion);
    QFETCH(QString, typed);
    choose(conversion);
    child<QAbstractButton>(*m_window, "toggleSearchButton")->click();
    QTRY_VERIFY(session()->isComplete());
    child<QLineEdit>(*m_window, "searchEdit")->setText(typed);
    child<QAbstractButton>(*m_window, "searchButton")->click();
    QTRY_COMPARE(session()->matchStart(), bookText().indexOf(QStringLiteral("扎了起来")));
}

void TestConversion::namesChaptersAndResultsInTheChosenScript()
{
    choose(QStringLiteral("s2t"));
    auto *list = m_window->findChild<ContentsPage *>()->findChild<QListView *>();
    QVERIFY(list);
    QCOMPARE(list->model()->rowCount(), 2);
    QCOMPARE(list->model()->index(0, 0).data().toString().trimmed(), QStringLiteral("第一章 頭髮的故事"));
    QCOMPARE(list->model()->index(1, 0).data().toString().trimmed(), QStringLiteral("第二章 後來"));
    QVERIFY2(bookName(*m_window).contains(QStringLiteral("頭髮")), qPrintable(bookName(*m_window)));

    child<QAbstractButton>(*m_window, "toggleSearchButton")->click();
    QTRY_VERIFY(session()->isComplete() && session()->state() == ReadingSession::State::Reading);
    child<QLineEdit>(*m_window, "searchEdit")->setText(QStringLiteral("扎了起来"));
    child<QAbstractButton>(*m_window, "allResultsButton")->click();
    auto *results = m_window->findChild<SearchResultsList *>();
    QTRY_VERIFY(!results->isSearching() && results->results().size() == 1);
    const QString row = results->findChild<QListView *>()->model()->index(0, 0).data().toString();
    QVERIFY2(row.startsWith(QStringLiteral("第二章 後來 · 第 ")) && row.contains(QStringLiteral("她把頭髮紮了起來。")),
             qPrintable(row));
}

void TestConversion::theChoiceIsRemembered()
{
    choose(QStringLiteral("s2hk"));
    QCOMPARE(store().value(QStringLiteral("conversion")).toString(), QStringLiteral("s2hk"));
    m_window.reset();
    openWindowOnBook();
    const QList<QAction *> actions = m_window->findChild<ConversionMenu *>()->actions();
    const auto checked = std::find_if(actions.begin(), actions.end(),
                                      [](QAction *action) { return action->isChecked(); });
    QVERIFY(checked != actions.end());
    QCOMPARE((*checked)->data().toString(), QStringLiteral("s2hk"));
    const ScriptConverter converter(ScriptConverter::Conversion::SimplifiedToHongKong);
    std::vector<QString> converted;
    for (const QString &page : session()->pages().pageTexts())
        converted.push_back(converter.convert(page));
    QCOMPARE(pageWidget(*m_window)->grab().toImage(), pageDrawnFrom(converted));
}

void TestConversion::aBookKeepsAChoiceOfItsOwn()
{
    using C = ScriptConverter::Conversion;
    const QString own = session()->book();
    setOnlyThisBook(true);
    choose(QStringLiteral("s2t"));
    QCOMPARE(store().value(QStringLiteral("conversion"), QStringLiteral("none")).toString(),
             QStringLiteral("none"));
    QCOMPARE(pageWidget(*m_window)->grab().toImage(), pageDrawnFrom(shownPages(C::SimplifiedToTraditional)));

    openBook(writeBook(QStringLiteral("另一本.txt")));
    QCOMPARE(pageWidget(*m_window)->grab().toImage(), pageDrawnFrom(shownPages(C::None)));
    choose(QStringLiteral("s2hk"));
    QCOMPARE(store().value(QStringLiteral("conversion")).toString(), QStringLiteral("s2hk"));

    openBook(own);
    QCOMPARE(pageWidget(*m_window)->grab().toImage(), pageDrawnFrom(shownPages(C::SimplifiedToTraditional)));
    setOnlyThisBook(false);
    QCOMPARE(pageWidget(*m_window)->grab().toImage(), pageDrawnFrom(shownPages(C::SimplifiedToHongKong)));
}

LEXORIN_TEST_MAIN(TestConversion)
#include "tst_conversion.moc"
