#include "shelfcontextmenu.h"
#include "testmain.h"

#include <QAction>

// Which of a book's choices the shelf's menu offers, from what was last known of its file.
class TestShelfContextMenu : public QObject
{
    Q_OBJECT

private slots:
    void choicesFollowWhatIsKnown_data();
    void choicesFollowWhatIsKnown();
};

namespace {

bool isEnabled(const QMenu &menu, const QString &text)
{
    for (const QAction *action : menu.actions()) {
        if (action->text() == text)
            return action->isEnabled();
    }
    return false;
}

}

void TestShelfContextMenu::choicesFollowWhatIsKnown_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("known");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<bool>("canOpen");
    QTest::addColumn<bool>("canShowFolder");

    const QString book = QStringLiteral("/mnt/books/潮声.txt");
    QTest::newRow("not looked at yet") << book << false << false << false << true << true;
    QTest::newRow("there") << book << true << true << true << true << true;
    QTest::newRow("file gone") << book << true << false << true << false << true;
    QTest::newRow("folder gone") << book << true << false << false << false << false;
    QTest::newRow("sample book") << QStringLiteral(":/book/星灯童话集.txt") << true << true << true << true << false;
}

void TestShelfContextMenu::choicesFollowWhatIsKnown()
{
    QFETCH(QString, path);
    QFETCH(bool, known);
    QFETCH(bool, exists);
    QFETCH(bool, folderExists);
    QFETCH(bool, canOpen);
    QFETCH(bool, canShowFolder);

    std::optional<FileProber::Facts> file;
    if (known) {
        file.emplace();
        file->exists = exists;
        file->isFile = exists;
        file->folderExists = folderExists;
    }
    const ShelfContextMenu menu(path, file, false);
    QCOMPARE(isEnabled(menu, QStringLiteral("打开")), canOpen);
    QCOMPARE(isEnabled(menu, QStringLiteral("打开所在文件夹")), canShowFolder);
    QVERIFY(isEnabled(menu, QStringLiteral("从书架移除")));
    QVERIFY(isEnabled(menu, QStringLiteral("属性")));
}

LEXORIN_TEST_MAIN(TestShelfContextMenu)
#include "tst_shelfcontextmenu.moc"
