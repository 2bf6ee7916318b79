// Zel Tidewell — a small desktop news reader.
#pragma once

#include <QLoggingCategory>

// Steps of start-up, logged with the monotonic clock's time when the "zel.startup" category is
// enabled (QT_LOGGING_RULES="zel.startup.debug=true"); script/bench --trace reads them.
Q_DECLARE_LOGGING_CATEGORY(lcStartup)

void traceStartup(const char *step);
