// Zel Tidewell — a small desktop news reader.
#include "main_window/frm_browser.h"
#include "platform/qt/own_environment.h"
#include "platform/qt/quit_signals.h"
#include "platform/qt/window_lifetime.h"
#include "platform/webengine/engine_graphics.h"
#include "platform/webengine/qt_platform.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSettings>

#include <chrono>

using namespace Qt::StringLiterals;

namespace {

// Steps of start-up, logged with the monotonic clock's time when the "zel.startup" category is
// enabled (QT_LOGGING_RULES="zel.startup.debug=true"); script/bench --trace reads them.
Q_LOGGING_CATEGORY(lcStartup, "zel.startup", QtWarningMsg)

void traceStartup(const char *step)
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    qCDebug(lcStartup, "%.6f %s", std::chrono::duration<double>(now).count(), step);
}

// Logs the window's first paint, then goes.
class FirstPaint final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            traceStartup("first paint");
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

// Whether a session bus is given, or is at its usual place.
bool sessionBusThere()
{
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + u"/bus"_s);
}

} // namespace

int main(int argc, char *argv[])
{
    traceStartup("main");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The program writes nothing but the downloads the user saves: no shader cache, and no
    // settings of Qt's own dialogs (they keep their state in a "QtProject" settings file, which
    // is pointed where nothing can be written or read).
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, u"/dev/null"_s);
#ifdef Q_OS_LINUX
    // Screen readers see the pages too: the engine leaves its accessibility off on Linux unless
    // told, and reads this when it starts. A screen reader talks to the program over the
    // session bus; where there is none, there is no one to serve, and the engine's asking would
    // only set the bus library looking for one (it starts dbus-launch).
    if (sessionBusThere())
        platform::setOwnEnvironment("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
#endif
    platform::chooseEngineGraphics();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"ZelTidewell"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));
    // Taskbars and docks match the windows to the program's desktop entry.
    QGuiApplication::setDesktopFileName(u"example.zelsoft.ZelTidewell"_s);
    traceStartup("application made");

    // The window is deleted when closed; the program ends with its last window. A quit signal
    // closes every window, as the user would.
    auto *window = new frmBrowser(platform::makeQtBrowserPlatform());
    platform::deleteWhenClosed(window);
    const platform::QuitSignals quitSignals([] { QApplication::closeAllWindows(); });
    traceStartup("window made, first page asked for");
    if (lcStartup().isDebugEnabled())
        window->centralWidget()->installEventFilter(new FirstPaint(window));
    window->show();
    traceStartup("window shown");
    return QApplication::exec();
}
