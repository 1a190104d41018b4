#include "readeractions.h"
#include "testmain.h"

#include <QAction>
#include <QMetaEnum>
#include <QWidget>

// Two actions that share a key both stay silent, so each key must belong to one command.
class TestReaderActions : public QObject
{
    Q_OBJECT

private slots:
    void noKeyServesTwoCommands();
    void keyTriggersItsCommand_data();
    void keyTriggersItsCommand();
};

void TestReaderActions::noKeyServesTwoCommands()
{
    QHash<QKeySequence, int> owner;
    for (int command = 0; command < ReaderActions::CommandCount; ++command) {
        const QList<QKeySequence> keys = ReaderActions::shortcuts(ReaderActions::Command(command));
        QVERIFY2(!keys.isEmpty(), QMetaEnum::fromType<ReaderActions::Command>().valueToKey(command));
        for (const QKeySequence &key : keys) {
            QVERIFY2(!owner.contains(key) || owner.value(key) == command, qPrintable(key.toString()));
            owner.insert(key, command);
        }
    }
}

void TestReaderActions::keyTriggersItsCommand_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<ReaderActions::Command>("command");

    QTest::newRow("Space") << QKeySequence(Qt::Key_Space) << ReaderActions::NextPage;
    QTest::newRow("Shift+Space") << QKeySequence(Qt::SHIFT | Qt::Key_Space) << ReaderActions::PreviousPage;
    QTest::newRow("Right") << QKeySequence(Qt::Key_Right) << ReaderActions::NextPage;
    QTest::newRow("PageUp") << QKeySequence(Qt::Key_PageUp) << ReaderActions::PreviousPage;
    QTest::newRow("F3") << QKeySequence(Qt::Key_F3) << ReaderActions::FindNext;
    QTest::newRow("Shift+F3") << QKeySequence(Qt::SHIFT | Qt::Key_F3) << ReaderActions::FindPrevious;
    QTest::newRow("Ctrl+=") << QKeySequence(Qt::CTRL | Qt::Key_Equal) << ReaderActions::ZoomIn;
    QTest::newRow("Ctrl+-") << QKeySequence(Qt::CTRL | Qt::Key_Minus) << ReaderActions::ZoomOut;
    QTest::newRow("F11") << QKeySequence(Qt::Key_F11) << ReaderActions::FullScreen;
    QTest::newRow("Escape") << QKeySequence(Qt::Key_Escape) << ReaderActions::Leave;
    QTest::newRow("Ctrl+O") << QKeySequence(Qt::CTRL | Qt::Key_O) << ReaderActions::OpenFile;
    QTest::newRow("F") << QKeySequence(Qt::Key_F) << ReaderActions::Find;
    QTest::newRow("B") << QKeySequence(Qt::Key_B) << ReaderActions::Bookshelf;
    QTest::newRow("Ctrl+B") << QKeySequence(Qt::CTRL | Qt::Key_B) << ReaderActions::ShowBookmarks;
    QTest::newRow("Ctrl+E") << QKeySequence(Qt::CTRL | Qt::Key_E) << ReaderActions::ChooseEncoding;
}

void TestReaderActions::keyTriggersItsCommand()
{
    QFETCH(QKeySequence, key);
    QFETCH(ReaderActions::Command, command);

    QWidget window;
    ReaderActions actions(&window);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    int triggered = -1;
    for (int each = 0; each < ReaderActions::CommandCount; ++each) {
        connect(actions.action(ReaderActions::Command(each)), &QAction::triggered, this,
                [&triggered, each] { triggered = each; });
    }
    QTest::keySequence(&window, key);
    QCOMPARE(triggered, int(command));
}

LEXORIN_TEST_MAIN(TestReaderActions)
#include "tst_readeractions.moc"
