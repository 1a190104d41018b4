#include "measuringfonts.h"

#include <QFontDatabase>

MeasuringFonts::MeasuringFonts(const QFont &font)
    : m_text(detachedCopy(font))
    , m_heading(headingFont(m_text))
    , m_face(QRawFont::fromFont(m_text, QFontDatabase::SimplifiedChinese))
    , m_metrics(m_text)
{
}

// A font copied by assignment shares its data, and with it the engines cached for the
// thread that used it first. Built from a family name it starts with data of its own, which
// the description then fills in.
QFont MeasuringFonts::detachedCopy(const QFont &font)
{
    QFont copy(font.family());
    copy.fromString(font.toString());
    copy.setFamilies(font.families());
    copy.setHintingPreference(font.hintingPreference());
    copy.setResolveMask(font.resolveMask());
    return copy;
}

QFont MeasuringFonts::headingFont(const QFont &font)
{
    QFont heading = font;
    heading.setBold(true);
    return heading;
}
