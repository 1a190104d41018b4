#include "bookdecoder.h"
#include "paginator.h"
#include "textsanitizer.h"
#include "testmain.h"

#include <QImage>
#include <QPainter>

class TestTextSanitizer : public QObject
{
    Q_OBJECT

private slots:
    void everyLineOfAPageIsDrawn_data();
    void everyLineOfAPageIsDrawn();
    void readableTextIsLeftAlone();
    void decodedBooksComeSanitized();
};

namespace {

const PageFormat ReadingFormat{ QFont(QStringLiteral("Microsoft YaHei"), 14), QSize(480, 530) };

// Rows of the image that hold ink, as runs of consecutive rows: one run per drawn line.
struct InkBands
{
    int count = 0;
    int lastRow = -1;
};

InkBands inkBandsOf(const QImage &image)
{
    InkBands bands;
    bool previousRowInked = false;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        const bool inked = std::any_of(row, row + image.width(),
                                       [](QRgb pixel) { return qGray(pixel) < 160; });
        if (inked && !previousRowInked)
            ++bands.count;
        if (inked)
            bands.lastRow = y;
        previousRowInked = inked;
    }
    return bands;
}

// Draws a page as the page widget does: the reading font, the paginator's text option.
QImage drawnPage(const QString &page)
{
    QImage image(ReadingFormat.textArea, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(ReadingFormat.font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(image.rect()), page, Paginator::textOption());
    return image;
}

}

void TestTextSanitizer::everyLineOfAPageIsDrawn_data()
{
    QTest::addColumn<char16_t>("character");

    // U+009C ends drawText's string; the others show as boxes or break a line where the
    // paginator sees none.
    const char16_t characters[] = {
        0x0000, 0x0001, 0x0007, 0x0008, 0x000B, 0x000C, 0x001A, 0x001B, 0x001F, 0x007F,
        0x0080, 0x0085, 0x008D, 0x009B, 0x009C, 0x009F, 0x2028, 0x2029,
    };
    for (char16_t c : characters)
        QTest::addRow("U+%04X", unsigned(c)) << c;
}

void TestTextSanitizer::everyLineOfAPageIsDrawn()
{
    QFETCH(char16_t, character);

    QString book;
    for (int line = 1; line <= 40; ++line)
        book += QStringLiteral("第%1行字").arg(line) + QChar(character) + QStringLiteral("尾 end\n");
    const qsizetype length = book.size();
    TextSanitizer::sanitize(book);
    QCOMPARE(book.size(), length);

    const std::vector<QString> pages = Paginator(ReadingFormat).paginate(book);
    QVERIFY(pages.size() > 1);
    const QString &page = pages.front();
    const InkBands bands = inkBandsOf(drawnPage(page));
    QCOMPARE(bands.count, int(page.count(u'\n')));
    QVERIFY(bands.lastRow < ReadingFormat.textArea.height() - 1);
}

void TestTextSanitizer::readableTextIsLeftAlone()
{
    // Tabs, every spelling of a line end, and the invisible characters that shape text
    // (joiners, direction marks, the soft hyphen) are drawn as they should be.
    const QString text = QStringLiteral("\t缩进\r\n第二行\r第三行\nfa\u00ADther \u200D\u200E\u202B"
                                        "\uFEFF𠀀 €\uFFFD\n");
    QString sanitized = text;
    QCOMPARE(TextSanitizer::sanitize(sanitized), 0);
    QCOMPARE(sanitized, text);
}

void TestTextSanitizer::decodedBooksComeSanitized()
{
    const QByteArray bytes = QStringLiteral("他说\u009C完了。\f第二章\u2028开始\u0085\u0000\n").toUtf8();
    const BookDecoder::Result result = BookDecoder::decode(bytes);
    QCOMPARE(result.text, QStringLiteral("他说\uFFFD完了。\n第二章\n开始\uFFFD\uFFFD\n"));
    QCOMPARE(result.undecodableBytes, 0);
    QCOMPARE(BookDecoder::decode(bytes, "UTF-8").text, result.text);
}

LEXORIN_TEST_MAIN(TestTextSanitizer)
#include "tst_textsanitizer.moc"
