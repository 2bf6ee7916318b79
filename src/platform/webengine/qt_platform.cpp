// Zel Tidewell — a small desktop news reader.
#include "qt_platform.h"

#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_save_dialog.h"
#include "qt_web_view.h"

namespace platform {

BrowserPlatform makeQtBrowserPlatform()
{
    return {std::make_unique<QtWebView>(std::make_unique<QtSaveDialog>()),
            std::make_unique<QtFileDialog>(), std::make_unique<QtMessageBox>(),
            makeQtAboutPlatform};
}

} // namespace platform
