// Keeping a dialog's window a dialog: X11's skip-taskbar state, told to the window manager as
// the window is mapped, and a minimised or maximised window shown again as it was.
#include "dialog_window.h"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

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

#endif

bool onWayland()
{
    return QGuiApplication::platformName().startsWith(u"wayland");
}

// A Wayland compositor asked to maximise a window gives it the whole screen, and a window that
// keeps a smaller size there is ended with a protocol error; so on Wayland the dialog's size is
// kept here rather than by a limit the compositor is told: it takes the size it is given, asks
// to be a window again at once, and takes its own size back once the compositor has agreed.
class Dialog final : public QObject
{
public:
    explicit Dialog(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_native && event->type() == QEvent::WindowStateChange)
            stateTold();
        if (watched != m_window)
            return false;
        if (event->type() == QEvent::Resize && !m_size.isEmpty())
            QTimer::singleShot(0, this, &Dialog::takeOwnSize);
        if (event->type() == QEvent::Show)
            shown();
        return false;
    }

private:
    void shown()
    {
        // Qt has made the native window by now; a window shown again has a new one on Wayland.
        if (QWindow *native = m_window->windowHandle(); native != m_native) {
            m_native = native;
            native->installEventFilter(this);
            connect(native, &QWindow::windowStateChanged, this, &Dialog::changed);
        }
        if (onWayland() && m_size.isEmpty() && m_window->minimumSize() == m_window->maximumSize()) {
            m_size = m_window->size();
            m_window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        }
#ifdef ZEL_HAS_XCB
        // Once Qt has shown it: Qt sets the window's state when it maps the window.
        QTimer::singleShot(0, m_window, [window = m_window] { skipTaskbar(window); });
#endif
    }

    void changed(Qt::WindowState state)
    {
        if (state == Qt::WindowMinimized) {
            // Mapped anew, which brings it back, once the title bar's button has done with it:
            // on Wayland Qt cannot tell whether it is still minimised (the protocol never
            // says) and forgets at once.
            QTimer::singleShot(0, m_window, [window = m_window] {
                if (onWayland()) {
                    window->hide();
                    window->show();
                } else {
                    window->setWindowState(Qt::WindowNoState);
                }
            });
        } else if (state == Qt::WindowMaximized && !m_size.isEmpty()) {
            // Asked once Qt has taken the state the compositor told.
            m_unmaximising = true;
            QTimer::singleShot(0, this, [this] {
                if (m_native)
                    m_native->setWindowState(Qt::WindowNoState);
            });
        }
    }

    // The compositor has told the window's state: a window again, it may take its own size.
    void stateTold()
    {
        if (m_unmaximising && !(m_native->windowStates() & Qt::WindowMaximized)) {
            m_unmaximising = false;
            takeOwnSize();
        }
    }

    void takeOwnSize()
    {
        if (!m_unmaximising && m_window->size() != m_size)
            m_window->resize(m_size);
    }

    QWidget *m_window;
    QPointer<QWindow> m_native;
    // The dialog's size, where it is kept here (on Wayland).
    QSize m_size;
    // While the compositor is still to take the window back from the whole screen.
    bool m_unmaximising = false;
};

} // namespace

void keepAsDialog(QWidget *window)
{
    new Dialog(window);
}

} // namespace platform
