#include "filesizelimit.h"
#include "settings.h"
#include "testmain.h"

#include <QSignalSpy>

#include <QSettings>
#include <QStandardPaths>

class TestSettingsStore : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void storedSizesAreClamped_data();
    void storedSizesAreClamped();
    void colourValues_data();
    void colourValues();
    void aDamagedSerializedColourGivesTheDefault();
    void aChangeWritesOnlyItsKeys();
    void twoStoresMergeTheirBookLists();
    void resetEmptiesTheStoreAndRestoresDefaults();
    void aFailedWriteIsReportedOnce();
    void conversionIsReadAsAKnownName_data();
    void conversionIsReadAsAKnownName();
    void storedLayout_data();
    void storedLayout();
    void aLayoutChangeWritesOnlyItsKeys();
    void theSpreadIsKeptUntilAReset();

private:
    static QSettings store();
    static QString storeFile();
};

QSettings TestSettingsStore::store()
{
    return QSettings(QStringLiteral("Bookshelf"), QStringLiteral("Lexorin"));
}

QString TestSettingsStore::storeFile()
{
    return store().fileName();
}

void TestSettingsStore::init()
{
    store().clear();
}

void TestSettingsStore::conversionIsReadAsAKnownName_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("conversion");

    QTest::newRow("nothing stored") << QVariant() << QStringLiteral("none");
    QTest::newRow("Taiwan forms") << QVariant(QStringLiteral("s2tw")) << QStringLiteral("s2tw");
    QTest::newRow("unknown name") << QVariant(QStringLiteral("klingon")) << QStringLiteral("none");
    QTest::newRow("not a name") << QVariant(42) << QStringLiteral("none");
}

void TestSettingsStore::conversionIsReadAsAKnownName()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, conversion);
    if (stored.isValid())
        store().setValue(QStringLiteral("conversion"), stored);

    Settings settings;
    QCOMPARE(settings.conversion(), conversion);
    settings.setConversion(QStringLiteral("t2s"));
    QCOMPARE(Settings().conversion(), QStringLiteral("t2s"));
    settings.setConversion(QStringLiteral("nonsense"));
    QCOMPARE(store().value(QStringLiteral("conversion")).toString(), QStringLiteral("none"));
}

void TestSettingsStore::storedSizesAreClamped_data()
{
    QTest::addColumn<QVariant>("fontSize");
    QTest::addColumn<QVariant>("textFontSize");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("zoomSize");

    QTest::newRow("nothing stored") << QVariant() << QVariant() << 14 << 14;
    QTest::newRow("in range") << QVariant(20) << QVariant(20) << 20 << 20;
    QTest::newRow("the page is drawn at the font's size") << QVariant(14) << QVariant(20) << 20 << 14;
    QTest::newRow("zoomed, the font never chosen") << QVariant(20) << QVariant(14) << 14 << 20;
    QTest::newRow("font size alone") << QVariant() << QVariant(18) << 18 << 14;
    QTest::newRow("a large font chosen by name") << QVariant(14) << QVariant(72) << 72 << 14;
    QTest::newRow("too large") << QVariant(400) << QVariant(400) << 96 << 96;
    QTest::newRow("too small") << QVariant(2) << QVariant(2) << 6 << 6;
    QTest::newRow("negative") << QVariant(-5) << QVariant() << 14 << 6;
    QTest::newRow("not a number") << QVariant(QStringLiteral("huge")) << QVariant(QStringLiteral("big")) << 14 << 14;
}

void TestSettingsStore::storedSizesAreClamped()
{
    QFETCH(QVariant, fontSize);
    QFETCH(QVariant, textFontSize);
    QFETCH(int, size);
    QFETCH(int, zoomSize);
    if (fontSize.isValid())
        store().setValue(QStringLiteral("fontSize"), fontSize);
    if (textFontSize.isValid())
        store().setValue(QStringLiteral("textFontSize"), textFontSize);

    Settings settings;
    QCOMPARE(settings.readingFont().pointSize(), size);
    QCOMPARE(settings.readingFont().family(), Settings::ReadingFamily);
    QCOMPARE(settings.zoomSize(), zoomSize);

    // Nothing the reader chose is rewritten by reading it.
    settings.writeAppearance();
    if (textFontSize.toInt() == size)
        QCOMPARE(store().value(QStringLiteral("textFontSize")).toInt(), size);
    if (fontSize.toInt() == zoomSize)
        QCOMPARE(store().value(QStringLiteral("fontSize")).toInt(), zoomSize);
}

void TestSettingsStore::colourValues_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QColor>("color");

    QTest::newRow("a colour") << QVariant(QColor(1, 2, 3)) << QColor(1, 2, 3);
    QTest::newRow("a colour name") << QVariant(QStringLiteral("#336699")) << QColor(0x33, 0x66, 0x99);
    QTest::newRow("a named colour") << QVariant(QStringLiteral("white")) << QColor(Qt::white);
    QTest::newRow("no colour") << QVariant(QStringLiteral("not a colour")) << Settings::DefaultBackground;
    QTest::newRow("a number") << QVariant(42) << Settings::DefaultBackground;
    QTest::newRow("an invalid colour") << QVariant(QColor()) << Settings::DefaultBackground;
}

void TestSettingsStore::colourValues()
{
    QFETCH(QVariant, stored);
    QFETCH(QColor, color);
    store().setValue(QStringLiteral("bgColor"), stored);
    QCOMPARE(Settings().backgroundColor(), color);
}

// A settings file a fuzzer found: its text colour is a serialized QColor whose colour-model
// byte (26) names no colour model, and the file goes on with bytes that are no colour at all.
void TestSettingsStore::aDamagedSerializedColourGivesTheDefault()
{
    const QByteArray file = QByteArray::fromBase64(
            "ZmlbR2VuZXJhbF0KZlVTCnJlY2VudEZpbGVzPS90bXAvYS50eHQsIC90bXAvYi50eHQKdGV4dENvbG9yPUBWYXJpYW50KFwwXDBcMFx4NDNceDFBAGZmXHhnYjE4MDMwMFwwXDBcMFwwXDApCg==");
    const QByteArray damaged = file + "bgColor=@Variant(\\0\\0\\0\\x43\\x1a\\xff\\xff\\0\\0\\0\\0\\0\\0\\0\\0)\n";
    QDir().mkpath(QFileInfo(storeFile()).path());
    QFile out(storeFile());
    QVERIFY(out.open(QIODevice::WriteOnly));
    out.write(damaged);
    out.close();

    Settings settings;
    QCOMPARE(settings.textColor(), Settings::DefaultText);
    QCOMPARE(settings.backgroundColor(), Settings::DefaultBackground);
    settings.writeAppearance();
    QCOMPARE(store().value(QStringLiteral("textColor")).value<QColor>(), Settings::DefaultText);
}

void TestSettingsStore::aChangeWritesOnlyItsKeys()
{
    Settings settings;
    settings.setTextColor(Qt::darkBlue);
    QCOMPARE(store().allKeys(), QStringList{ QStringLiteral("textColor") });

    QFont font = settings.readingFont();
    font.setPointSize(22);
    settings.setReadingFont(font);
    QStringList keys = store().allKeys();
    keys.sort();
    QCOMPARE(keys, QStringList({ "fontSize", "textColor", "textFontSize" }));
    QCOMPARE(store().value(QStringLiteral("fontSize")).toInt(), 22);
    QCOMPARE(store().value(QStringLiteral("textFontSize")).toInt(), 22);

    // The same value again writes nothing, not even what another window changed meanwhile.
    store().setValue(QStringLiteral("textColor"), QColor(Qt::red));
    settings.setTextColor(Qt::darkBlue);
    QCOMPARE(store().value(QStringLiteral("textColor")).value<QColor>(), QColor(Qt::red));
}

// Two windows each read the store at their start; each one's additions survive the other's.
void TestSettingsStore::twoStoresMergeTheirBookLists()
{
    Settings first;
    Settings second;
    first.updateRecentFiles([](QStringList books) { return QStringList{ "/a.txt" } + books; });
    second.updateRecentFiles([](QStringList books) { return QStringList{ "/b.txt" } + books; });
    QCOMPARE(store().value(QStringLiteral("recentFiles")).toStringList(), QStringList({ "/b.txt", "/a.txt" }));
    QCOMPARE(second.recentFiles(), QStringList({ "/b.txt", "/a.txt" }));
}

void TestSettingsStore::resetEmptiesTheStoreAndRestoresDefaults()
{
    Settings settings;
    settings.setBackgroundColor(Qt::black);
    settings.setReadingFont(QFont(QStringLiteral("Serif"), 26));
    settings.updateRecentFiles([](QStringList) { return QStringList{ "/a.txt" }; });
    settings.reset();
    QVERIFY(store().allKeys().isEmpty());
    QCOMPARE(settings.backgroundColor(), Settings::DefaultBackground);
    QCOMPARE(settings.readingFont(), QFont(Settings::ReadingFamily, Settings::DefaultFontSize, -1, false));
    QVERIFY(settings.recentFiles().isEmpty());
}

// On a full disk a book added to the shelf would be gone after a restart, with no word.
void TestSettingsStore::aFailedWriteIsReportedOnce()
{
    Settings settings;
    QSignalSpy failed(&settings, &Settings::writeFailed);
    settings.setLanguage(QStringLiteral("en_US"));
    QCOMPARE(failed.count(), 0);
    {
        FileSizeLimit full(16);
        settings.updateRecentFiles([](QStringList books) { return books << QStringLiteral("/books/新书.txt"); });
        settings.setLanguage(QStringLiteral("zh_TW"));
        settings.recordWindowState(QByteArray(64, 'g'), QByteArray(64, 's'), false, true);
    }
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.first().first().toString(), Settings::writeFailureMessage());
}

void TestSettingsStore::storedLayout_data()
{
    QTest::addColumn<QVariantMap>("stored");
    QTest::addColumn<bool>("book");
    QTest::addColumn<int>("lineSpacing");
    QTest::addColumn<int>("paragraphSpacing");
    QTest::addColumn<qreal>("indent");
    QTest::addColumn<bool>("justify");
    QTest::addColumn<QString>("margins");

    QTest::newRow("a store that never held them") << QVariantMap() << false << 160 << 30 << 2.0 << true
                                                 << QStringLiteral("normal");
    QTest::newRow("book layout with its defaults") << QVariantMap{ { "layout", "book" } } << true << 160 << 30
                                                   << 2.0 << true << QStringLiteral("normal");
    QTest::newRow("values set") << QVariantMap{ { "layout", "book" }, { "lineSpacing", 180 }, { "paragraphSpacing", 0 },
                                                { "indent", 1.5 }, { "justify", false }, { "margins", "wide" } }
                                << true << 180 << 0 << 1.5 << false << QStringLiteral("wide");
    QTest::newRow("out of range") << QVariantMap{ { "layout", "sideways" }, { "lineSpacing", 20 }, { "paragraphSpacing", -4 },
                                                  { "indent", 9 }, { "margins", "huge" } }
                                  << false << 100 << 0 << 4.0 << true << QStringLiteral("normal");
}

void TestSettingsStore::storedLayout()
{
    QFETCH(QVariantMap, stored);
    QFETCH(bool, book);
    QFETCH(int, lineSpacing);
    QFETCH(int, paragraphSpacing);
    QFETCH(qreal, indent);
    QFETCH(bool, justify);
    QFETCH(QString, margins);
    for (auto value = stored.cbegin(); value != stored.cend(); ++value)
        store().setValue(value.key(), value.value());

    const Settings settings;
    const TypesetStyle style = settings.typesetStyle();
    QCOMPARE(style.book, book);
    QCOMPARE(style.lineSpacing, lineSpacing);
    QCOMPARE(style.paragraphSpacing, paragraphSpacing);
    QCOMPARE(style.indent, indent);
    QCOMPARE(style.justify, justify);
    QCOMPARE(settings.margins(), margins);
}

void TestSettingsStore::aLayoutChangeWritesOnlyItsKeys()
{
    Settings settings;
    TypesetStyle style = settings.typesetStyle();
    style.book = true;
    settings.setTypesetStyle(style);
    QCOMPARE(store().allKeys(), QStringList{ QStringLiteral("layout") });
    QCOMPARE(store().value(QStringLiteral("layout")).toString(), QStringLiteral("book"));
    style.lineSpacing = 200;
    settings.setTypesetStyle(style);
    settings.setMargins(QStringLiteral("narrow"));
    QStringList keys = store().allKeys();
    keys.sort();
    QCOMPARE(keys, QStringList({ "layout", "lineSpacing", "margins" }));
    QCOMPARE(Settings().typesetStyle(), style);
    QCOMPARE(Settings().margins(), QStringLiteral("narrow"));
}

void TestSettingsStore::theSpreadIsKeptUntilAReset()
{
    Settings settings;
    QVERIFY(!settings.spread());
    settings.setSpread(true);
    QCOMPARE(store().allKeys(), QStringList{ QStringLiteral("spread") });
    QVERIFY(Settings().spread());
    settings.reset();
    QVERIFY(!settings.spread());
    QVERIFY(!Settings().spread());
}

LEXORIN_TEST_MAIN(TestSettingsStore)
#include "tst_settingsstore.moc"
