#include "scriptconverter.h"

#include "textlogging.h"

#include <QDebug>

#include <opencc.h>

#include <array>

namespace {

struct ConversionName
{
    ScriptConverter::Conversion conversion;
    const char *key;
    ScriptConverter::Conversion reverse;
};

using C = ScriptConverter::Conversion;

constexpr std::array<ConversionName, 7> Names{ {
    { C::None, "none", C::None },
    { C::SimplifiedToTraditional, "s2t", C::TraditionalToSimplified },
    { C::SimplifiedToTaiwan, "s2tw", C::TaiwanToSimplified },
    { C::SimplifiedToHongKong, "s2hk", C::HongKongToSimplified },
    { C::TraditionalToSimplified, "t2s", C::SimplifiedToTraditional },
    { C::TaiwanToSimplified, "tw2s", C::SimplifiedToTaiwan },
    { C::HongKongToSimplified, "hk2s", C::SimplifiedToHongKong },
} };

const ConversionName &nameOf(C conversion)
{
    for (const ConversionName &name : Names) {
        if (name.conversion == conversion)
            return name;
    }
    return Names.front();
}

// Marks after which a line may be converted on its own without splitting a dictionary phrase.
bool endsPiece(QChar c)
{
    static const QString marks = QStringLiteral("，。、；：！？…—「」『』“”‘’（）《》,.;:!?()\"' \t\u3000");
    return marks.contains(c);
}

}

struct ScriptConverter::Handle
{
    opencc_t opencc;
};

ScriptConverter::ScriptConverter(Conversion conversion)
    : m_conversion(conversion)
{
    if (conversion == Conversion::None)
        return;
    const QByteArray config = key(conversion).toLatin1() + ".json";
    const opencc_t opencc = opencc_open(config.constData());
    if (opencc == reinterpret_cast<opencc_t>(-1)) {
        qCWarning(lcText) << "Cannot load the conversion dictionaries" << config << opencc_error();
        return;
    }
    m_handle = std::make_unique<Handle>(Handle{ opencc });
}

ScriptConverter::~ScriptConverter()
{
    if (m_handle)
        opencc_close(m_handle->opencc);
}

ScriptConverter::Conversion ScriptConverter::fromKey(QStringView key)
{
    for (const ConversionName &name : Names) {
        if (key == QLatin1String(name.key))
            return name.conversion;
    }
    return Conversion::None;
}

QString ScriptConverter::key(Conversion conversion)
{
    return QLatin1String(nameOf(conversion).key);
}

ScriptConverter::Conversion ScriptConverter::reverse(Conversion conversion)
{
    return nameOf(conversion).reverse;
}

bool ScriptConverter::isActive() const
{
    return m_handle != nullptr;
}

// The text is converted whole; only when a line's length changed are the lines converted
// one by one, and such a line again in pieces.
QString ScriptConverter::convert(const QString &text) const
{
    if (!isActive() || text.isEmpty())
        return text;
    const QString converted = openccConvert(text);
    if (linesAlign(text, converted))
        return converted;
    QString result;
    result.reserve(text.size());
    const QList<QStringView> lines = QStringView(text).split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i > 0)
            result += u'\n';
        result += convertLine(lines.at(i));
    }
    return result;
}

bool ScriptConverter::linesAlign(QStringView text, QStringView converted)
{
    if (text.size() != converted.size())
        return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if ((text.at(i) == u'\n') != (converted.at(i) == u'\n'))
            return false;
    }
    return true;
}

QString ScriptConverter::convertLine(QStringView line) const
{
    const QString converted = openccConvert(line);
    return converted.size() == line.size() ? converted : convertPieces(line);
}

QString ScriptConverter::convertPieces(QStringView line) const
{
    QString result;
    result.reserve(line.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (!endsPiece(line.at(i)) && i + 1 < line.size())
            continue;
        const QStringView piece = line.mid(start, i + 1 - start);
        const QString converted = openccConvert(piece);
        result += converted.size() == piece.size() ? converted : convertCharacters(piece);
        start = i + 1;
    }
    return result;
}

QString ScriptConverter::convertCharacters(QStringView piece) const
{
    QString result;
    result.reserve(piece.size());
    for (qsizetype i = 0; i < piece.size();) {
        const qsizetype width = piece.at(i).isHighSurrogate() && i + 1 < piece.size() ? 2 : 1;
        const QStringView character = piece.mid(i, width);
        const QString converted = openccConvert(character);
        result += converted.size() == width ? QStringView(converted) : character;
        i += width;
    }
    return result;
}

QString ScriptConverter::openccConvert(QStringView text) const
{
    const QByteArray utf8 = text.toUtf8();
    char *converted = opencc_convert_utf8(m_handle->opencc, utf8.constData(), size_t(utf8.size()));
    if (!converted)
        return text.toString();
    QString result = QString::fromUtf8(converted);
    opencc_convert_utf8_free(converted);
    return result;
}
