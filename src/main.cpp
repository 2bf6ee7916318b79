// The program's entry: the application, the main window and the event loop.
#include "downloads/downloads.h"
#include "main_window/frm_browser.h"
#include "platform/probes.h"
#include "platform/qt/display_guard.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_save_dialog.h"
#include "platform/qt/quit_signals.h"
#include "platform/qt/window_lifetime.h"
#include "platform/webengine/engine_setup.h"
#include "platform/webengine/qt_web_view.h"

#include <QApplication>

using namespace Qt::StringLiterals;

namespace {

// The platform objects of the running program. Downloads are saved where the user says.
platform::BrowserPlatform runningPlatform()
{
    auto view = std::make_unique<platform::QtWebView>();
    new downloads::Downloads(view.get(), std::make_unique<platform::QtSaveDialog>());
    return {std::move(view), std::make_unique<platform::QtFileDialog>(),
            std::make_unique<platform::QtMessageBox>(), platform::makeQtAboutPlatform};
}

} // namespace

int main(int argc, char *argv[])
{
    platform::probes::startupStep("main");
    platform::prepareEngine();
    // The program reads no command line: Qt and the engine are handed the program's name alone.
    static char name[] = "ZelTidewell";
    int qtArgc = 1;
    char *qtArgv[] = {argc > 0 && argv[0] ? argv[0] : name, nullptr};
    platform::DisplayGuard displayGuard;
    QApplication app(qtArgc, qtArgv);
    displayGuard.release();
    QCoreApplication::setApplicationName(u"ZelTidewell"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));
    // Taskbars and docks match the windows to the program's desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZEL_APP_ID));
    platform::probes::startupStep("application made");

    // The window is deleted when closed; the program ends with its last window. A quit signal
    // closes every window, as the user would.
    auto *window = new frmBrowser(runningPlatform());
    platform::deleteWhenClosed(window);
    const platform::QuitSignals quitSignals([] { QApplication::closeAllWindows(); });
    platform::probes::startupStep("window made, first page asked for");
    platform::probes::watchWindow(window);
    window->show();
    platform::probes::startupStep("window shown");
    return QApplication::exec();
}
