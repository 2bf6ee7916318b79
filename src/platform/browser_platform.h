// What the main window is handed from the outside world.
#pragma once

#include "about_platform.h"
#include "file_dialog.h"
#include "message_box.h"
#include "web_view.h"

#include <functional>
#include <memory>

namespace platform {

// What the main window is handed from the outside world when it is made.
struct BrowserPlatform
{
    // Its widget goes into the window, which owns it from then on.
    std::unique_ptr<WebView> webView;
    std::unique_ptr<FileDialog> fileDialog;
    std::unique_ptr<MessageBox> messages;
    // Makes the platform objects of each new About dialog.
    std::function<AboutPlatform()> aboutPlatform;
};

} // namespace platform
