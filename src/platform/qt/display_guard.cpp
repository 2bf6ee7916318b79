// Starting without a display: Qt's messages held while the application object is made.
#include "display_guard.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace platform {

namespace {

struct Held
{
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<Held> held;
QtMessageHandler previous = nullptr;

void holdBack(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtFatalMsg) {
        held.push_back({type, context.category, text});
        return;
    }
    // Qt ends with this when no platform plugin could start: no display to be reached.
    if (text.contains(QLatin1StringView("platform plugin"))) {
        const QByteArray x11 = qgetenv("DISPLAY"), wayland = qgetenv("WAYLAND_DISPLAY");
        QByteArray why = "neither DISPLAY nor WAYLAND_DISPLAY is set";
        if (!wayland.isEmpty() && (x11.isEmpty() || qgetenv("QT_QPA_PLATFORM") == "wayland"))
            why = "the display named in WAYLAND_DISPLAY (" + wayland + ") cannot be reached";
        else if (!x11.isEmpty())
            why = "the display named in DISPLAY (" + x11 + ") cannot be reached";
        std::fprintf(stderr, "zel-tidewell: a graphical session is needed: %s\n", why.constData());
        std::fflush(stderr);
        std::_Exit(1);
    }
    previous(type, context, text);
}

} // namespace

DisplayGuard::DisplayGuard()
{
    previous = qInstallMessageHandler(holdBack);
}

void DisplayGuard::release()
{
    if (!std::exchange(m_held, false))
        return;
    qInstallMessageHandler(previous);
    for (const Held &message : held) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        previous(message.type, context, message.text);
    }
    held.clear();
}

} // namespace platform
