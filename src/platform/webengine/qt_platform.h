// Zel Tidewell — a small desktop news reader.
#pragma once

#include "platform/browser_platform.h"

namespace platform {

// The platform objects of the running program: Qt WebEngine and Qt Widgets.
BrowserPlatform makeQtBrowserPlatform();

} // namespace platform
