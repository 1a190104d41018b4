#ifndef SETTINGS_H
#define SETTINGS_H

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "readingdefaults.h"
#include "typesetstyle.h"

#include <functional>

class QSettings;

// The reader's key-value store, QSettings("Bookshelf", "Lexorin"): the one place that knows
// its keys. Every key is read once, at construction, and held here with typed accessors whose
// values are always usable (sizes clamped, colours sound). A value is written when it
// changes, and only that key, so two windows and a crash lose as little as possible; the
// book list is merged with what the store holds when it is written.
class Settings : public QObject
{
    Q_OBJECT

public:
    // The range zoom steps stay in; a font chosen by name may be smaller or larger.
    static constexpr int MinimumFontSize = 8;
    static constexpr int MaximumFontSize = 30;
    static constexpr int SmallestChosenFontSize = 6;
    static constexpr int LargestChosenFontSize = 96;
    static constexpr int DefaultFontSize = ReadingDefaults::FontSize;

    static const QString DefaultLanguage;
    static const QString ReadingFamily;
    static const QColor DefaultBackground;
    static const QColor DefaultText;

    Settings();

    // What the reader should be told when the store cannot be written, said once a run.
    static QString writeFailureMessage();
    // Whether a write has failed in this run, told or not: the first may come before anyone
    // listens.
    bool hasWriteFailed() const { return m_writeFailed; }

    QStringList recentFiles() const { return m_recentFiles; }
    // The books that come with the reader which the reader took off the shelf: they stay off.
    QStringList removedSampleBooks() const { return m_removedSampleBooks; }
    void addRemovedSampleBook(const QString &path);
    // Changes the book list as it stands in the store now (another window may have changed it
    // since this one read it) and keeps the result.
    void updateRecentFiles(const std::function<QStringList(QStringList)> &change);

    // The font the pages are drawn in, with its size (textFontSize).
    QFont readingFont() const { return m_readingFont; }
    // Sets the font and the size the next zoom step starts from.
    void setReadingFont(const QFont &font);
    // The size the next zoom step starts from: the stored zoom counter (fontSize) until the
    // reading font is first changed, from then on the font's own size.
    int zoomSize() const { return m_zoomSize; }
    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor &color);
    QColor textColor() const { return m_text; }
    void setTextColor(const QColor &color);
    // The named look of the whole window (day, sepia, green, night, or custom for the page
    // colours the reader picked); empty where the reader never chose one.
    QString theme() const { return m_theme; }
    void setTheme(const QString &theme);
    QString language() const { return m_language; }
    void setLanguage(const QString &language);
    // How the book's Chinese is shown: a conversion's store name ("none", "s2t", "t2s", …).
    QString conversion() const { return m_conversion; }
    void setConversion(const QString &conversion);
    // Whether every chapter heading begins a page, in bold; chapters run on unless chosen.
    bool chaptersStartPages() const { return m_chaptersStartPages; }
    void setChaptersStartPages(bool on);
    // The shelf's order: newest addition first, or most recently read first.
    enum class ShelfOrder { Added, LastRead };
    ShelfOrder shelfOrder() const { return m_shelfOrder; }
    void setShelfOrder(ShelfOrder order);

    // How pages are set: the layout (original or book) and the book layout's spacing,
    // indent and justification. A store that never held them gives the original layout.
    TypesetStyle typesetStyle() const { return m_typesetStyle; }
    void setTypesetStyle(const TypesetStyle &style);
    // The page margins of the book layout: narrow, normal or wide.
    QString margins() const { return m_margins; }
    void setMargins(const QString &margins);
    // Whether a wide window shows two pages side by side.
    bool spread() const { return m_spread; }
    void setSpread(bool on);
    static const QStringList MarginNames;
    static constexpr int MinimumLineSpacing = 100;
    static constexpr int MaximumLineSpacing = 250;
    static constexpr int MaximumParagraphSpacing = 150;
    static constexpr qreal MaximumIndent = 4.0;

    // The window's place and size as QWidget::saveGeometry() wrote them at the last close;
    // empty before the first close.
    QByteArray windowGeometry() const { return m_geometry; }
    // What the window looked like when it was closed; its geometry is read back at start.
    void recordWindowState(const QByteArray &geometry, const QByteArray &state, bool fullScreen,
                           bool searchBarVisible);

    // Writes the reading appearance where the store lacks it or holds something else, as
    // every start does, so the store always names the look on show.
    void writeAppearance();

    // Empties the store and returns every value to its default.
    void reset();

    static int clampedFontSize(int size);
    static int chosenFontSize(int size);
    // One zoom step from a size: within the zoom's range, never away from the step's way.
    static int zoomedFontSize(int size, int step);
    // A stored colour, or the fallback where the value is no sound colour.
    static QColor colorValue(const QVariant &value, const QColor &fallback);

signals:
    // A change could not be written (a full disk, a folder that cannot be written); sent
    // once, the first time.
    void writeFailed(const QString &message);

private:
    void write(const QString &key, const QVariant &value);
    void save(QSettings &settings);
    void writeIfDifferent(const QString &key, const QVariant &value);
    void writeColorIfDifferent(const QString &key, const QColor &color);
    void loadDefaults();
    static QString knownConversion(const QString &conversion);

    QStringList m_recentFiles;
    QStringList m_removedSampleBooks;
    bool m_writeFailed = false;
    QFont m_readingFont;
    int m_zoomSize = DefaultFontSize;
    QColor m_background;
    QColor m_text;
    QString m_language;
    QString m_conversion;
    bool m_chaptersStartPages = false;
    ShelfOrder m_shelfOrder = ShelfOrder::Added;
    QByteArray m_geometry;
    QString m_theme;
    TypesetStyle m_typesetStyle;
    QString m_margins;
    bool m_spread = false;
};

#endif
