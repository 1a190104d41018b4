#ifndef READINGLOGGING_H
#define READINGLOGGING_H

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcReading)

#endif
