#ifndef LOCALDATES_H
#define LOCALDATES_H

#include <QDateTime>
#include <QString>

// Dates as the interface language writes them (the default locale follows the language).
namespace LocalDates {

// A moment in the short form of the interface language, in the reader's time zone.
QString shortDateTime(const QDateTime &moment);

}

#endif
