#ifndef TEXTLOGGING_H
#define TEXTLOGGING_H

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcText)

#endif
