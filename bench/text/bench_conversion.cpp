#include "bookgenerator.h"
#include "paginator.h"
#include "scriptconverter.h"
#include "testmain.h"

#include <QElapsedTimer>

// What showing a book in the other script costs. Pages are converted as they are drawn, so
// the cost a reader meets is one page's conversion per page shown; converting a whole long
// book at load, for comparison, is what that design avoids.
class BenchConversion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void convertOnePage_data();
    void convertOnePage();
    void convertAWholeMegabyte();

private:
    std::vector<QString> m_pages;
    QString m_megabyte;
};

void BenchConversion::initTestCase()
{
    const QString text = BookGenerator::chineseNovel(4 << 20, 4040, 100);
    const PageFormat format{ QFont(QStringLiteral("Microsoft YaHei"), 14), QSize(580, 680) };
    m_pages = Paginator(format).paginate(text);
    m_megabyte = text.left(512 * 1024);
    qInfo("%zu pages, %lld characters a page on average", m_pages.size(),
          qint64(text.size()) / qint64(qMax<size_t>(m_pages.size(), 1)));
}

void BenchConversion::convertOnePage_data()
{
    QTest::addColumn<QString>("conversion");
    QTest::newRow("s2t") << QStringLiteral("s2t");
    QTest::newRow("s2tw") << QStringLiteral("s2tw");
    QTest::newRow("none") << QStringLiteral("none");
}

void BenchConversion::convertOnePage()
{
    QFETCH(QString, conversion);
    const ScriptConverter converter(ScriptConverter::fromKey(conversion));
    size_t page = 0;
    QBENCHMARK {
        const QString shown = converter.convert(m_pages[page]);
        QCOMPARE(shown.size(), m_pages[page].size());
        page = (page + 97) % m_pages.size();
    }
}

void BenchConversion::convertAWholeMegabyte()
{
    const ScriptConverter converter(ScriptConverter::Conversion::SimplifiedToTraditional);
    QElapsedTimer timer;
    timer.start();
    const QString shown = converter.convert(m_megabyte);
    qInfo("%lld characters (1 MB in UTF-16) converted in %lld ms", qint64(m_megabyte.size()),
          timer.elapsed());
    QCOMPARE(shown.size(), m_megabyte.size());
}

LEXORIN_TEST_MAIN(BenchConversion)
#include "bench_conversion.moc"
