#include "localdates.h"

#include <QLocale>

namespace LocalDates {

QString shortDateTime(const QDateTime &moment)
{
    const QLocale locale;
    // Qt's locale data writes the Taiwanese time with a day period ("B"), which its
    // formatter does not know and would print as a letter: the AM/PM marker says the same.
    QString format = locale.dateTimeFormat(QLocale::ShortFormat);
    format.replace(u'B', QStringLiteral("AP"));
    return locale.toString(moment.toLocalTime(), format);
}

}
