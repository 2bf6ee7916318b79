// Zel Tidewell — a small desktop news reader.
#include "qt_platform.h"

#include "qt_web_view.h"

namespace platform {

BrowserPlatform makeQtBrowserPlatform()
{
    return {std::make_unique<QtWebView>()};
}

} // namespace platform
