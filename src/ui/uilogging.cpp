#include "uilogging.h"

Q_LOGGING_CATEGORY(lcUi, "lexorin.ui")
