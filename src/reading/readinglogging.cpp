#include "readinglogging.h"

Q_LOGGING_CATEGORY(lcReading, "lexorin.reading")
