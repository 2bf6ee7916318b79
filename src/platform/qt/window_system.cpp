// Which window system the program runs on where the desktop offers two.
#include "window_system.h"

#include "own_environment.h"

#include <QtGlobal>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>
#endif

namespace platform {

void preferX11()
{
#if __has_include(<xcb/xcb.h>)
    // Without a Wayland display Qt takes X11 itself.
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY") ||
        (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
         !qEnvironmentVariableIsSet("WAYLAND_SOCKET")))
        return;
    // Reached as Qt will reach it: the display and the authority the environment names.
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    const bool reached = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    if (reached)
        setOwnEnvironment("QT_QPA_PLATFORM", "xcb");
#endif
}

} // namespace platform
