#include "settings.h"

#include "scriptconverter.h"
#include "readinglogging.h"

#include <QSettings>

#include <QDebug>

#include <cstring>
#include <utility>
#include <type_traits>

namespace {

const QString Organization = QStringLiteral("Bookshelf");
const QString Application = QStringLiteral("Lexorin");

namespace Key {
const QString RecentFiles = QStringLiteral("recentFiles");
const QString FontSize = QStringLiteral("fontSize");
const QString BackgroundColor = QStringLiteral("bgColor");
const QString TextColor = QStringLiteral("textColor");
const QString FontFamily = QStringLiteral("textFontFamily");
const QString TextFontSize = QStringLiteral("textFontSize");
const QString Geometry = QStringLiteral("geometry");
const QString WindowState = QStringLiteral("windowState");
const QString FullScreen = QStringLiteral("isFullscreen");
const QString SearchBarVisible = QStringLiteral("isSearchBarVisible");
const QString Language = QStringLiteral("language");
const QString Conversion = QStringLiteral("conversion");
const QString ChaptersStartPage = QStringLiteral("chaptersStartPage");
const QString ShelfOrder = QStringLiteral("shelfOrder");
const QString RemovedSampleBooks = QStringLiteral("removedSampleBooks");
const QString Theme = QStringLiteral("theme");
const QString Layout = QStringLiteral("layout");
const QString LineSpacing = QStringLiteral("lineSpacing");
const QString ParagraphSpacing = QStringLiteral("paragraphSpacing");
const QString Indent = QStringLiteral("indent");
const QString Margins = QStringLiteral("margins");
const QString Justify = QStringLiteral("justify");
const QString Spread = QStringLiteral("spread");
}

const QString OriginalLayout = QStringLiteral("original");
const QString BookLayout = QStringLiteral("book");

TypesetStyle storedTypesetStyle(const QSettings &settings)
{
    const TypesetStyle defaults;
    TypesetStyle style;
    style.book = settings.value(Key::Layout, OriginalLayout).toString() == BookLayout;
    style.lineSpacing = qBound(Settings::MinimumLineSpacing,
                               settings.value(Key::LineSpacing, defaults.lineSpacing).toInt(),
                               Settings::MaximumLineSpacing);
    style.paragraphSpacing = qBound(0, settings.value(Key::ParagraphSpacing, defaults.paragraphSpacing).toInt(),
                                    Settings::MaximumParagraphSpacing);
    style.indent = qBound(0.0, settings.value(Key::Indent, defaults.indent).toDouble(), Settings::MaximumIndent);
    style.justify = settings.value(Key::Justify, defaults.justify).toBool();
    return style;
}

const QString ShelfOrderAdded = QStringLiteral("added");
const QString ShelfOrderLastRead = QStringLiteral("lastRead");

QSettings store()
{
    return QSettings(Organization, Application);
}

// A colour read back from a damaged store can carry a colour-model byte outside QColor's
// enumeration, and every QColor member reads that byte. Its bytes are looked at instead: the
// colour model is the first member of the standard-layout QColor.
bool hasKnownColorModel(const QColor &color)
{
    static_assert(std::is_standard_layout_v<QColor> && std::is_trivially_copyable_v<QColor>);
    std::underlying_type_t<QColor::Spec> model;
    std::memcpy(&model, &color, sizeof model);
    return model >= QColor::Invalid && model <= QColor::ExtendedRgb;
}

// A size that is no number or none a font can be chosen in reads as the default one.
int storedSize(const QVariant &value)
{
    bool isNumber = false;
    const int size = value.toInt(&isNumber);
    if (!isNumber)
        return Settings::DefaultFontSize;
    return Settings::chosenFontSize(size);
}

bool isSoundColor(const QColor &color)
{
    if (!hasKnownColorModel(color) || !color.isValid())
        return false;
    if (color.spec() != QColor::ExtendedRgb)
        return true;
    float r, g, b, a;
    color.getRgbF(&r, &g, &b, &a);
    const auto unit = [](float v) { return v >= 0.0f && v <= 1.0f; };
    return unit(r) && unit(g) && unit(b) && unit(a);
}

}

const QString Settings::DefaultLanguage = ReadingDefaults::Language;
const QString Settings::ReadingFamily = ReadingDefaults::FontFamily;
const QColor Settings::DefaultBackground = ReadingDefaults::PageColor;
const QColor Settings::DefaultText = ReadingDefaults::TextColor;
const QStringList Settings::MarginNames{ QStringLiteral("narrow"), QStringLiteral("normal"), QStringLiteral("wide") };

Settings::Settings()
{
    const QSettings settings = store();
    m_recentFiles = settings.value(Key::RecentFiles).toStringList();
    m_removedSampleBooks = settings.value(Key::RemovedSampleBooks).toStringList();
    m_background = colorValue(settings.value(Key::BackgroundColor), DefaultBackground);
    m_text = colorValue(settings.value(Key::TextColor), DefaultText);
    m_language = settings.value(Key::Language, DefaultLanguage).toString();
    m_typesetStyle = storedTypesetStyle(settings);
    m_margins = settings.value(Key::Margins).toString();
    if (!MarginNames.contains(m_margins))
        m_margins = MarginNames.at(1);
    m_spread = settings.value(Key::Spread, false).toBool();
    m_conversion = knownConversion(settings.value(Key::Conversion).toString());
    m_chaptersStartPages = settings.value(Key::ChaptersStartPage, false).toBool();
    m_shelfOrder = settings.value(Key::ShelfOrder).toString() == ShelfOrderLastRead ? ShelfOrder::LastRead
                                                                                   : ShelfOrder::Added;
    m_geometry = settings.value(Key::Geometry).toByteArray();
    m_theme = settings.value(Key::Theme).toString();
    // The page is drawn at the font's size; the zoom counter only says where the next zoom
    // step starts.
    QString family = settings.value(Key::FontFamily, ReadingFamily).toString();
    if (family.isEmpty())
        family = ReadingFamily;
    m_readingFont = QFont(family, storedSize(settings.value(Key::TextFontSize)), -1, false);
    m_zoomSize = storedSize(settings.value(Key::FontSize));
}

void Settings::loadDefaults()
{
    m_recentFiles.clear();
    m_removedSampleBooks.clear();
    m_readingFont = QFont(ReadingFamily, DefaultFontSize, -1, false);
    m_zoomSize = DefaultFontSize;
    m_background = DefaultBackground;
    m_text = DefaultText;
    m_language = DefaultLanguage;
    m_conversion = knownConversion({});
    m_chaptersStartPages = false;
    m_shelfOrder = ShelfOrder::Added;
    m_geometry.clear();
    m_theme.clear();
    m_typesetStyle = TypesetStyle();
    m_margins = MarginNames.at(1);
    m_spread = false;
}

int Settings::clampedFontSize(int size)
{
    return qBound(MinimumFontSize, size, MaximumFontSize);
}

int Settings::chosenFontSize(int size)
{
    return qBound(SmallestChosenFontSize, size, LargestChosenFontSize);
}

// A size beyond the zoom's range (a font chosen by name) is left alone by a step that would
// pull it back across the range: zooming in must not make the text smaller.
int Settings::zoomedFontSize(int size, int step)
{
    if (step > 0)
        return size >= MaximumFontSize ? size : qMin(size + step, MaximumFontSize);
    return size <= MinimumFontSize ? size : qMax(size + step, MinimumFontSize);
}

QColor Settings::colorValue(const QVariant &value, const QColor &fallback)
{
    if (!value.isValid())
        return fallback;
    const QColor color = value.value<QColor>();
    return isSoundColor(color) ? color : fallback;
}

QString Settings::writeFailureMessage()
{
    return tr("无法保存设置和书架：磁盘可能已满，或设置文件无法写入。");
}

void Settings::updateRecentFiles(const std::function<QStringList(QStringList)> &change)
{
    QSettings settings = store();
    settings.sync();
    m_recentFiles = change(settings.value(Key::RecentFiles).toStringList());
    settings.setValue(Key::RecentFiles, m_recentFiles);
    save(settings);
}

void Settings::setReadingFont(const QFont &font)
{
    QFont bounded = font;
    bounded.setPointSize(chosenFontSize(font.pointSize()));
    const QFont before = std::exchange(m_readingFont, bounded);
    const int zoomBefore = std::exchange(m_zoomSize, bounded.pointSize());
    if (bounded.family() != before.family())
        write(Key::FontFamily, bounded.family());
    if (m_zoomSize != zoomBefore)
        write(Key::FontSize, m_zoomSize);
    if (bounded.pointSize() != before.pointSize())
        write(Key::TextFontSize, bounded.pointSize());
}

void Settings::setBackgroundColor(const QColor &color)
{
    if (!color.isValid() || color == m_background)
        return;
    m_background = color;
    write(Key::BackgroundColor, color);
}

void Settings::setTextColor(const QColor &color)
{
    if (!color.isValid() || color == m_text)
        return;
    m_text = color;
    write(Key::TextColor, color);
}

void Settings::setTheme(const QString &theme)
{
    if (std::exchange(m_theme, theme) != theme)
        write(Key::Theme, theme);
}

void Settings::setLanguage(const QString &language)
{
    if (std::exchange(m_language, language) != language || !store().contains(Key::Language))
        write(Key::Language, language);
}

void Settings::setConversion(const QString &conversion)
{
    const QString known = knownConversion(conversion);
    if (std::exchange(m_conversion, known) != known)
        write(Key::Conversion, known);
}

// An unknown name in the store shows the book as it is.
QString Settings::knownConversion(const QString &conversion)
{
    return ScriptConverter::key(ScriptConverter::fromKey(conversion));
}

void Settings::addRemovedSampleBook(const QString &path)
{
    if (m_removedSampleBooks.contains(path))
        return;
    m_removedSampleBooks.append(path);
    write(Key::RemovedSampleBooks, m_removedSampleBooks);
}

void Settings::setChaptersStartPages(bool on)
{
    if (std::exchange(m_chaptersStartPages, on) != on)
        write(Key::ChaptersStartPage, on);
}

void Settings::setSpread(bool on)
{
    if (std::exchange(m_spread, on) != on)
        write(Key::Spread, on);
}

void Settings::setShelfOrder(ShelfOrder order)
{
    if (std::exchange(m_shelfOrder, order) != order)
        write(Key::ShelfOrder, order == ShelfOrder::LastRead ? ShelfOrderLastRead : ShelfOrderAdded);
}

// Only the values that changed are written, so a store keeps no key the reader never set.
void Settings::setTypesetStyle(const TypesetStyle &style)
{
    const TypesetStyle before = std::exchange(m_typesetStyle, style);
    if (style.book != before.book)
        write(Key::Layout, style.book ? BookLayout : OriginalLayout);
    if (style.lineSpacing != before.lineSpacing)
        write(Key::LineSpacing, style.lineSpacing);
    if (style.paragraphSpacing != before.paragraphSpacing)
        write(Key::ParagraphSpacing, style.paragraphSpacing);
    if (style.indent != before.indent)
        write(Key::Indent, style.indent);
    if (style.justify != before.justify)
        write(Key::Justify, style.justify);
}

void Settings::setMargins(const QString &margins)
{
    if (MarginNames.contains(margins) && std::exchange(m_margins, margins) != margins)
        write(Key::Margins, margins);
}

void Settings::recordWindowState(const QByteArray &geometry, const QByteArray &state,
                                 bool fullScreen, bool searchBarVisible)
{
    m_geometry = geometry;
    write(Key::Geometry, geometry);
    write(Key::WindowState, state);
    write(Key::FullScreen, fullScreen);
    write(Key::SearchBarVisible, searchBarVisible);
}

void Settings::writeAppearance()
{
    writeIfDifferent(Key::FontSize, m_zoomSize);
    writeColorIfDifferent(Key::BackgroundColor, m_background);
    writeColorIfDifferent(Key::TextColor, m_text);
    writeIfDifferent(Key::FontFamily, m_readingFont.family());
    writeIfDifferent(Key::TextFontSize, m_readingFont.pointSize());
}

void Settings::reset()
{
    QSettings settings = store();
    settings.clear();
    save(settings);
    loadDefaults();
}

void Settings::write(const QString &key, const QVariant &value)
{
    QSettings settings = store();
    settings.setValue(key, value);
    save(settings);
}

void Settings::writeIfDifferent(const QString &key, const QVariant &value)
{
    QSettings settings = store();
    if (!settings.contains(key) || settings.value(key) != value) {
        settings.setValue(key, value);
        save(settings);
    }
}

// QSettings would write on its destruction and say nothing of a failure; a book added to a
// shelf that was never written is gone at the next start.
void Settings::save(QSettings &settings)
{
    settings.sync();
    if (settings.status() != QSettings::AccessError || std::exchange(m_writeFailed, true))
        return;
    qCWarning(lcReading) << "Cannot write the settings:" << settings.fileName();
    emit writeFailed(writeFailureMessage());
}

// A stored colour is compared as the colour it reads as, never as a raw variant: a damaged one
// must not be looked into.
void Settings::writeColorIfDifferent(const QString &key, const QColor &color)
{
    QSettings settings = store();
    if (colorValue(settings.value(key), QColor()) != color) {
        settings.setValue(key, color);
        save(settings);
    }
}
