// The program's entry: the application, the main window and the event loop.
#include "downloads/downloads.h"
#include "main_window/frm_browser.h"
#include "platform/probes.h"
#include "platform/qt/display_guard.h"
#include "platform/qt/menu_keys.h"
#include "platform/qt/qt_file_dialog.h"
#include "platform/qt/qt_message_box.h"
#include "platform/qt/qt_save_dialog.h"
#include "platform/qt/quit_signals.h"
#include "platform/qt/window_lifetime.h"
#include "platform/qt/window_system.h"
#include "platform/webengine/engine_setup.h"
#include "platform/webengine/qt_web_view.h"
#include "reader_pane/reader_tools.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    platform::probes::startupStep("main");
    platform::preferX11();
    platform::prepareEngine();
    // The program reads no command line: Qt and the engine are handed the program's name alone.
    static char name[] = "ZelTidewell";
    int qtArgc = 1;
    char *qtArgv[] = {argc > 0 && argv[0] ? argv[0] : name, nullptr};
    platform::DisplayGuard displayGuard;
    QApplication app(qtArgc, qtArgv);
    platform::drawInSoftwareWithoutOpenGL();
    displayGuard.release();
    platform::keepMenusFromALateAlt(&app);
    QCoreApplication::setApplicationName(u"ZelTidewell"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));
    // Taskbars and docks match the windows to the program's desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZEL_APP_ID));
    platform::probes::startupStep("application made");

    // The window is deleted when closed; the program ends with its last window. A quit signal
    // closes every window, as the user would. Downloads are saved where the user says.
    auto ownView = std::make_unique<platform::QtWebView>();
    platform::QtWebView *view = ownView.get();
    new downloads::Downloads(view, view->events(), std::make_unique<platform::QtSaveDialog>());
    auto *window =
        new frmBrowser({std::move(ownView), std::make_unique<platform::QtFileDialog>(),
                        std::make_unique<platform::QtMessageBox>(), platform::makeQtAboutPlatform});
    // The reader's tools go over the view once the window has placed it: their bars in the
    // window's client area, which holds the view.
    new reader_pane::ReaderTools(view, window->centralWidget());
    platform::deleteWhenClosed(window);
    const platform::QuitSignals quitSignals([] { QApplication::closeAllWindows(); });
    platform::probes::startupStep("window made, first page asked for");
    platform::probes::watchWindow(window);
    window->show();
    platform::probes::startupStep("window shown");
    return QApplication::exec();
}
