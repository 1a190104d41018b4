#ifndef UILOGGING_H
#define UILOGGING_H

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcUi)

#endif
