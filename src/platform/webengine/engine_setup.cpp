// What Qt and the web engine are told before the application starts.
#include "engine_setup.h"

#include "platform/qt/own_environment.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QOpenGLContext>
#include <QQuickWindow>
#include <QSettings>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// Whether a session bus is given, or is at its usual place. Without one the engine's asking
// for a screen reader would only set the bus library looking for a bus (it starts dbus-launch).
bool sessionBusThere()
{
    if (qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
        return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + u"/bus"_s);
}

bool graphicsChosenByUser()
{
    const char *const choices[] = {"QT_QUICK_BACKEND", "QSG_RHI_BACKEND", "QT_XCB_GL_INTEGRATION",
                                   "QT_WAYLAND_CLIENT_BUFFER_INTEGRATION", "QT_OPENGL"};
    return std::any_of(std::begin(choices), std::end(choices),
                       [](const char *name) { return qEnvironmentVariableIsSet(name); });
}

// What Qt and the engine say where OpenGL is kept out or cannot be had, which the program
// answers by drawing in software.
constexpr QLatin1StringView kNoGpuWarnings[] = {
    QLatin1StringView("Cannot create platform OpenGL context, neither GLX nor EGL are enabled"),
    QLatin1StringView("No suitable graphics backend found"),
};
QtMessageHandler previousHandler = nullptr;
bool inSoftware = false;

void leaveOutNoGpuWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const bool expected =
        inSoftware && type == QtWarningMsg &&
        std::any_of(std::begin(kNoGpuWarnings), std::end(kNoGpuWarnings),
                    [&](QLatin1StringView known) { return text.contains(known); });
    if (!expected)
        previousHandler(type, context, text);
}

// Qt Quick, which the engine shows its pages through, draws in software, and the engine is told
// (a switch of the user's own comes later and wins).
void drawInSoftware()
{
    inSoftware = true;
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    prependOwnEnvironment("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
}

} // namespace

bool hasRenderNode(const QStringList &driEntries)
{
    return std::any_of(driEntries.begin(), driEntries.end(),
                       [](const QString &entry) { return entry.startsWith(u"renderD"); });
}

void prepareEngine()
{
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The program writes nothing but the downloads the user saves: no shader cache, and no
    // settings of Qt's own dialogs (they keep their state in a "QtProject" settings file, which
    // is pointed where nothing can be written or read).
    QCoreApplication::setAttribute(Qt::AA_DisableShaderDiskCache);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, u"/dev/null"_s);
    // A start says nothing: not the engine's account of its set-up on every start, nor what the
    // pages write to their console (a page could fill the user's session log). The user's
    // QT_LOGGING_RULES still win.
    QLoggingCategory::setFilterRules(u"qt.webenginecontext.info=false\njs=false"_s);
#ifdef Q_OS_LINUX
    // Nor Mesa's shader cache, whichever window system brings Mesa in.
    setOwnEnvironment("MESA_SHADER_CACHE_DISABLE", "true");
    if (sessionBusThere())
        setOwnEnvironment("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    // The pages' script engine sized for memory, not speed: news pages run little script, and
    // sized for speed its heaps in the page process keep growing over a long session.
    prependOwnEnvironment("QTWEBENGINE_CHROMIUM_FLAGS", "--js-flags=--optimize-for-size");
    // The warnings that drawing in software brings from Qt and the engine, which would alarm
    // the user, are left out.
    previousHandler = qInstallMessageHandler(leaveOutNoGpuWarnings);
    if (graphicsChosenByUser() ||
        hasRenderNode(QDir(u"/dev/dri"_s).entryList(QDir::System | QDir::NoDotAndDotDot)))
        return;
    drawInSoftware();
    // No API chooses this: no OpenGL through X11. On Wayland, Qt draws the window's title bar
    // only with its EGL client buffer integration loaded, so that one stays, though nothing
    // draws through it.
    setOwnEnvironment("QT_XCB_GL_INTEGRATION", "none");
#endif
}

void drawInSoftwareWithoutOpenGL()
{
#ifdef Q_OS_LINUX
    // The application has made the context that every OpenGL context shares with: where it
    // could not be made, none can.
    const QOpenGLContext *shared = QOpenGLContext::globalShareContext();
    if (!inSoftware && !(shared && shared->isValid()))
        drawInSoftware();
#endif
}

} // namespace platform
