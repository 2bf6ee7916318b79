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
#include "platform/qt/window_system.h"
#include "platform/webengine/engine_setup.h"
#include "platform/webengine/qt_web_view.h"
#include "reader_pane/reader_pane.h"

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
    QCoreApplication::setApplicationName(u"ZelTidewell"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));
    // Taskbars and docks match the windows to the program's desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZEL_APP_ID));
    platform::probes::startupStep("application made");

    // The window is deleted when closed; the program ends with its last window. A quit signal
    // closes every window, as the user would. Downloads are saved where the user says, and the
    // reader's features go over the view where it sits in the window.
    auto view = std::make_unique<platform::QtWebView>();
    platform::QtWebView *pane = view.get();
    new downloads::Downloads(pane, std::make_unique<platform::QtSaveDialog>());
    auto *window =
        new frmBrowser({std::move(view), std::make_unique<platform::QtFileDialog>(),
                        std::make_unique<platform::QtMessageBox>(), platform::makeQtAboutPlatform});
    new reader_pane::ReaderPane(pane);
    platform::deleteWhenClosed(window);
    const platform::QuitSignals quitSignals([] { QApplication::closeAllWindows(); });
    platform::probes::startupStep("window made, first page asked for");
    platform::probes::watchWindow(window);
    window->show();
    platform::probes::startupStep("window shown");
    return QApplication::exec();
}
