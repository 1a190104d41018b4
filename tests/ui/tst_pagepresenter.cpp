#include "fileloader.h"
#include "readingsession.h"
#include "testmain.h"
#include "windowdriver.h"

#include <QLabel>
#include <QSignalSpy>

using namespace WindowDriver;

// The header names what is in front of the reader: the book and its chapter while reading,
// the shelf's size while the shelf is shown, and nothing open once the book is closed. Every
// change of the header is counted, so a second writer that puts back a stale text shows.
class TestPagePresenter : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void headerNamesBookAndChapterRightAfterOpening();
    void headerFollowsTheChapter_data();
    void headerFollowsTheChapter();
    void shelfAndReadingPageEachNameTheirOwn();
    void resetLeavesTheHeaderWithTheShelf();

private:
    ReadingSession *session() const { return m_window->findChild<ReadingSession *>(); }
    QString header() const { return bookName(*m_window); }

    QTemporaryDir m_dir;
    QString m_book;
    std::unique_ptr<MainWindow> m_window;
};

void TestPagePresenter::initTestCase()
{
    m_book = m_dir.filePath(QStringLiteral("溪边.txt"));
    QFile file(m_book);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QString text;
    for (int chapter = 1; chapter <= 3; ++chapter) {
        text += QStringLiteral("第%1章 石桥\n").arg(chapter);
        for (int line = 0; line < 60; ++line)
            text += QStringLiteral("　　水从桥下流过，第%1章第%2行，岸边的柳枝轻轻摆动。\n").arg(chapter).arg(line);
    }
    file.write(text.toUtf8());
}

void TestPagePresenter::init()
{
    startAfresh();
    m_window = std::make_unique<MainWindow>();
    QSignalSpy loaded(m_window->findChild<FileLoader *>(), &FileLoader::fileLoaded);
    m_window->openAtStart(m_book);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(loaded.wait(10000));
    waitForTurns(*m_window);
}

void TestPagePresenter::cleanup()
{
    m_window.reset();
}

void TestPagePresenter::headerNamesBookAndChapterRightAfterOpening()
{
    QTRY_COMPARE(header(), QStringLiteral("溪边 · 第1章 石桥"));
}

void TestPagePresenter::headerFollowsTheChapter_data()
{
    QTest::addColumn<int>("chapter");
    QTest::addColumn<QString>("expected");
    QTest::newRow("second") << 1 << QStringLiteral("溪边 · 第2章 石桥");
    QTest::newRow("last") << 2 << QStringLiteral("溪边 · 第3章 石桥");
}

void TestPagePresenter::headerFollowsTheChapter()
{
    QFETCH(int, chapter);
    QFETCH(QString, expected);
    QTRY_VERIFY(session()->chapters().size() == 3);

    session()->goToChapter(chapter);

    QTRY_COMPARE(header(), expected);
    // No later write takes the chapter away again.
    QTest::qWait(50);
    QCOMPARE(header(), expected);
}

void TestPagePresenter::shelfAndReadingPageEachNameTheirOwn()
{
    const int books = store().value(QStringLiteral("recentFiles")).toStringList().size();
    m_window->onToggleBookshelf();
    QCOMPARE(header(), QStringLiteral("Quorvane - 共有 %1 本书").arg(books));
    // Turning pages behind the shelf leaves the shelf's header alone.
    m_window->onNextPage();
    QTest::qWait(50);
    QCOMPARE(header(), QStringLiteral("Quorvane - 共有 %1 本书").arg(books));

    m_window->onReadPage();
    QCOMPARE(header(), QStringLiteral("溪边 · 第1章 石桥"));
}

void TestPagePresenter::resetLeavesTheHeaderWithTheShelf()
{
    answerNextMessageBox(QMessageBox::Yes);
    QTimer::singleShot(0, [] { answerNextMessageBox(QMessageBox::Ok); });
    m_window->resetApplication();
    QTRY_VERIFY(session()->book().isEmpty());
    const int books = store().value(QStringLiteral("recentFiles")).toStringList().size();
    QCOMPARE(header(), books == 0 ? QStringLiteral("Quorvane - 书架空空如也")
                                  : QStringLiteral("Quorvane - 共有 %1 本书").arg(books));
    m_window->onReadPage();
    QCOMPARE(header(), QStringLiteral("Quorvane - 未打开文件"));
}

LEXORIN_TEST_MAIN(TestPagePresenter)
#include "tst_pagepresenter.moc"
