// Zel Tidewell — a small desktop news reader.
#pragma once

#include "web_view.h"

#include <memory>

namespace platform {

// What the main window is handed from the outside world when it is made.
struct BrowserPlatform
{
    std::unique_ptr<WebView> webView;
};

} // namespace platform
