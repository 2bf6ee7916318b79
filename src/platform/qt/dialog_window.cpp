// Keeping a window's button off the taskbar: X11's skip-taskbar state, told to the window
// manager as the window is mapped.
#include "taskbar.h"

#include <QEvent>
#include <QGuiApplication>
#include <QTimer>
#include <QWidget>

#if __has_include(<xcb/xcb.h>)
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>
#define ZEL_HAS_XCB 1
#endif

namespace platform {

namespace {

#ifdef ZEL_HAS_XCB

xcb_atom_t atom(xcb_connection_t *connection, const char *name)
{
    const auto cookie = xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name);
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(connection, cookie, nullptr);
    const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(reply);
    return found;
}

// The state goes both ways a window manager may read it: into the window's property, which
// it reads when it takes the window on, and as a request for a window it has taken on.
void skipTaskbar(QWidget *window)
{
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection || !window->isVisible())
        return;
    const xcb_window_t id = xcb_window_t(window->winId());
    const xcb_atom_t state = atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skip = atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 1, &skip);
    xcb_client_message_event_t message = {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = state;
    message.data.data32[0] = 1; // add
    message.data.data32[1] = skip;
    message.data.data32[3] = 1; // from an application
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}

class OffTaskbar final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // Once Qt has shown it: Qt sets the window's state when it maps the window.
        if (event->type() == QEvent::Show)
            QTimer::singleShot(0, this,
                               [window = static_cast<QWidget *>(watched)] { skipTaskbar(window); });
        return false;
    }
};

#endif

} // namespace

void keepOffTaskbar(QWidget *window)
{
#ifdef ZEL_HAS_XCB
    window->installEventFilter(new OffTaskbar(window));
#else
    Q_UNUSED(window);
#endif
}

} // namespace platform
