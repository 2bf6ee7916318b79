// Zel Tidewell — a small desktop news reader.
#include "main_window/frm_browser.h"
#include "platform/qt/quit_signals.h"
#include "platform/qt/window_lifetime.h"
#include "platform/trace_clock.h"
#include "platform/webengine/engine_setup.h"
#include "platform/webengine/qt_platform.h"

#include <QApplication>
#include <QBasicTimer>
#include <QEvent>
#include <QLoggingCategory>
#include <QSettings>

using namespace Qt::StringLiterals;

namespace {

// Steps of start-up, logged with the monotonic clock's time when the "zel.startup" category is
// enabled (QT_LOGGING_RULES="zel.startup.debug=true"); script/bench --trace reads them.
Q_LOGGING_CATEGORY(lcStartup, "zel.startup", QtWarningMsg)

void traceStartup(const char *step)
{
    qCDebug(lcStartup, "%.6f %s", platform::traceSeconds(), step);
}

// Each turn of a 10 ms timer on the GUI thread, with the time since the turn before, logged
// when the "zel.gui" category is enabled: script/bench finds how long the GUI thread was busy.
Q_LOGGING_CATEGORY(lcGui, "zel.gui", QtWarningMsg)

class GapProbe final : public QObject
{
public:
    explicit GapProbe(QObject *parent)
        : QObject(parent)
    {
        m_timer.start(10, Qt::PreciseTimer, this);
    }

protected:
    void timerEvent(QTimerEvent *) override
    {
        const double now = platform::traceSeconds();
        qCDebug(lcGui, "%.6f gap %.1f ms", now, (now - m_last) * 1000);
        m_last = now;
    }

private:
    QBasicTimer m_timer;
    double m_last = platform::traceSeconds();
};

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
    // Pages readable by screen readers; no OpenGL drawn in software where there is no GPU.
    platform::prepareEngine();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"ZelTidewell"_s);
    QCoreApplication::setApplicationVersion(QStringLiteral(ZEL_VERSION));
    // Taskbars and docks match the windows to the program's desktop entry.
    QGuiApplication::setDesktopFileName(QStringLiteral(ZEL_APP_ID));
    traceStartup("application made");

    // The window is deleted when closed; the program ends with its last window. A quit signal
    // closes every window, as the user would.
    auto *window = new frmBrowser(platform::makeQtBrowserPlatform());
    platform::deleteWhenClosed(window);
    const platform::QuitSignals quitSignals([] { QApplication::closeAllWindows(); });
    traceStartup("window made, first page asked for");
    if (lcStartup().isDebugEnabled())
        window->centralWidget()->installEventFilter(new FirstPaint(window));
    if (lcGui().isDebugEnabled())
        new GapProbe(window);
    window->show();
    traceStartup("window shown");
    return QApplication::exec();
}
