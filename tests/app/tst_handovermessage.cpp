#include "handovermessage.h"
#include "testmain.h"

class TestHandOverMessage : public QObject
{
    Q_OBJECT

private slots:
    void readsTheBooksFromChunks_data();
    void readsTheBooksFromChunks();
    void refusesWhatNoRealStartSends_data();
    void refusesWhatNoRealStartSends();
    void aRefusedMessageStaysRefused();
};

using Chunks = QList<QByteArray>;

void TestHandOverMessage::readsTheBooksFromChunks_data()
{
    QTest::addColumn<Chunks>("chunks");
    QTest::addColumn<QStringList>("books");

    const QStringList two{ QStringLiteral("/书/第一卷.txt"), QStringLiteral("/books/two words.txt") };
    const QByteArray encoded = HandOverMessage::encode(two);
    QTest::newRow("one chunk") << Chunks{ encoded } << two;
    QTest::newRow("a character split between chunks")
        << Chunks{ encoded.left(5), encoded.mid(5, 1), encoded.mid(6) } << two;
    QTest::newRow("the terminator alone") << Chunks{ encoded.chopped(1), QByteArray(1, '\0') } << two;
    QTest::newRow("bytes after the terminator") << Chunks{ encoded + "/books/more.txt" } << two;
    QTest::newRow("no books: only show the window") << Chunks{ HandOverMessage::encode({}) } << QStringList();
}

void TestHandOverMessage::readsTheBooksFromChunks()
{
    QFETCH(Chunks, chunks);
    QFETCH(QStringList, books);
    HandOverMessage message;
    for (qsizetype i = 0; i < chunks.size(); ++i) {
        const auto expected = i + 1 < chunks.size() ? HandOverMessage::State::Incomplete
                                                    : HandOverMessage::State::Complete;
        QCOMPARE(message.feed(chunks.at(i)), expected);
    }
    QCOMPARE(message.books(), books);
}

void TestHandOverMessage::refusesWhatNoRealStartSends_data()
{
    QTest::addColumn<Chunks>("chunks");

    const QByteArray megabyte(HandOverMessage::MaxBytes, 'a');
    QTest::newRow("no terminator within the limit") << Chunks{ megabyte, QByteArray("a") };
    QTest::newRow("one long line with its terminator") << Chunks{ megabyte + 'a' + '\0' };
    QStringList many;
    for (int i = 0; i <= HandOverMessage::MaxBooks; ++i)
        many.append(QStringLiteral("/b/%1.txt").arg(i));
    QTest::newRow("too many books") << Chunks{ HandOverMessage::encode(many) };
}

void TestHandOverMessage::refusesWhatNoRealStartSends()
{
    QFETCH(Chunks, chunks);
    HandOverMessage message;
    for (const QByteArray &chunk : chunks)
        message.feed(chunk);
    QCOMPARE(message.state(), HandOverMessage::State::Refused);
    QVERIFY(message.books().isEmpty());
}

void TestHandOverMessage::aRefusedMessageStaysRefused()
{
    HandOverMessage message;
    message.feed(QByteArray(HandOverMessage::MaxBytes + 1, 'a'));
    QCOMPARE(message.feed(HandOverMessage::encode({ QStringLiteral("/b/a.txt") })),
             HandOverMessage::State::Refused);
}

LEXORIN_TEST_MAIN(TestHandOverMessage)
#include "tst_handovermessage.moc"
