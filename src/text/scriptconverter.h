#ifndef SCRIPTCONVERTER_H
#define SCRIPTCONVERTER_H

#include <QString>
#include <QStringView>

#include <memory>

// Shows a book in the other Chinese script: simplified to traditional (standard, Taiwan or
// Hong Kong forms) or back, phrase by phrase through OpenCC's dictionaries, so 头发 becomes
// 頭髮 and not 頭發.
//
// The converted text keeps the length of the text it came from, line for line and in UTF-16
// units, so every offset into the book — the reader's place, bookmarks, headings, search
// matches, page ends — means the same in both. Where a dictionary entry would change a
// length, that stretch is converted in smaller pieces and, as a last resort, one character is
// left as the book has it.
//
// Converting runs at a few megabytes a second, too slow for a whole long book at once:
// callers convert what is shown, a page or a title at a time.
class ScriptConverter
{
public:
    enum class Conversion {
        None,
        SimplifiedToTraditional,
        SimplifiedToTaiwan,
        SimplifiedToHongKong,
        TraditionalToSimplified,
        TaiwanToSimplified,
        HongKongToSimplified,
    };

    explicit ScriptConverter(Conversion conversion = Conversion::None);
    ~ScriptConverter();
    ScriptConverter(const ScriptConverter &) = delete;
    ScriptConverter &operator=(const ScriptConverter &) = delete;

    // The store's names: none, s2t, s2tw, s2hk, t2s, tw2s, hk2s; an unknown name is None.
    static Conversion fromKey(QStringView key);
    static QString key(Conversion conversion);
    // The conversion that takes converted text back to the book's script.
    static Conversion reverse(Conversion conversion);

    Conversion conversion() const { return m_conversion; }
    // False when the conversion is None or its dictionaries could not be loaded; then
    // convert() returns the text as it is.
    bool isActive() const;
    QString convert(const QString &text) const;

private:
    struct Handle;

    static bool linesAlign(QStringView text, QStringView converted);
    QString convertLine(QStringView line) const;
    QString convertPieces(QStringView line) const;
    QString convertCharacters(QStringView piece) const;
    QString openccConvert(QStringView text) const;

    Conversion m_conversion;
    std::unique_ptr<Handle> m_handle;
};

#endif
