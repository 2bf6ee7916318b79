// A top-level window's outer size in twips, and the frame a window manager adds after mapping.
#include "outer_size.h"

#include "platform/error.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#if __has_include(<xcb/xcb.h>)
#include <cstdlib>
#include <xcb/xcb.h>
#endif

namespace platform {

namespace {

// Whether a window manager frames and places the windows: on X11, whether one has said so on
// the root window; elsewhere the desktop always does.
bool windowManaged()
{
#if __has_include(<xcb/xcb.h>)
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *connection = x11 ? x11->connection() : nullptr;
    if (!connection)
        return true;
    constexpr char name[] = "_NET_SUPPORTING_WM_CHECK";
    xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, sizeof name - 1, name), nullptr);
    const xcb_atom_t check = atom ? atom->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(atom);
    if (check == XCB_ATOM_NONE)
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, check, XCB_ATOM_WINDOW, 0, 1), nullptr);
    const bool managed = reply && xcb_get_property_value_length(reply) > 0;
    std::free(reply);
    return managed;
#else
    return true;
#endif
}

float outerTwips(int pixels, float lastSet)
{
    return toPixels(lastSet) == pixels ? lastSet : toTwips(pixels);
}

} // namespace

OuterSize::OuterSize(QWidget *window)
    : QObject(window)
    , m_window(window)
{
    window->installEventFilter(this);
    QCoreApplication::instance()->installNativeEventFilter(this);
}

OuterSize::~OuterSize()
{
    settle();
}

QSize OuterSize::frameExtent() const
{
    return m_window->frameGeometry().size() - m_window->size();
}

float OuterSize::width() const
{
    return outerTwips(m_window->frameGeometry().width(), m_setWidth);
}

float OuterSize::height() const
{
    return outerTwips(m_window->frameGeometry().height(), m_setHeight);
}

void OuterSize::checkSizable() const
{
    if (m_window->isMinimized() || m_window->isMaximized())
        throw Error(kCannotSizeWindow);
}

void OuterSize::setWidth(float twips)
{
    checkSizable();
    m_frameUsed = frameExtent();
    m_setWidth = twips;
    m_window->resize(std::max(toPixels(twips) - m_frameUsed.width(), 1), m_window->height());
}

void OuterSize::setHeight(float twips)
{
    checkSizable();
    m_frameUsed = frameExtent();
    m_setHeight = twips;
    m_window->resize(m_window->width(), std::max(toPixels(twips) - m_frameUsed.height(), 1));
}

// When the frame first shows up around the window, the window keeps the outer size it was
// given, not the inner one.
void OuterSize::adoptFrame()
{
    if (m_frameSettled || !m_window->isVisible() || m_window->isMinimized() ||
        m_window->isMaximized() || m_window->isFullScreen())
        return;
    const QSize frame = frameExtent();
    if (frame == m_frameUsed)
        return;
    settle();
    const QSize grown = frame - m_frameUsed;
    m_frameUsed = frame;
    m_window->resize(m_window->size() - grown);
    fitOnScreen();
}

void OuterSize::fitOnScreen()
{
    const QScreen *screen = m_window->screen();
    if (!screen || !m_window->isVisible() || m_window->isMinimized() || m_window->isMaximized())
        return;
    const QRect area = screen->availableGeometry();
    const QRect outer(m_window->frameGeometry().topLeft(), m_window->size() + m_frameUsed);
    if (area.contains(outer))
        return;
    // Right and bottom edges in first, then the left and top edges, which win.
    QPoint shift(std::min(0, area.right() - outer.right()),
                 std::min(0, area.bottom() - outer.bottom()));
    shift.rx() = std::max(shift.x(), area.left() - outer.left());
    shift.ry() = std::max(shift.y(), area.top() - outer.top());
    m_window->move(m_window->pos() + shift);
}

void OuterSize::settle()
{
    if (m_frameSettled)
        return;
    m_frameSettled = true;
    if (auto *application = QCoreApplication::instance())
        application->removeNativeEventFilter(this);
}

bool OuterSize::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Show:
        adoptFrame();
        // Without a window manager no frame ever comes: the window fits as it is shown.
        if (!windowManaged())
            fitOnScreen();
        break;
    case QEvent::Move:
    case QEvent::Resize:
        adoptFrame();
        break;
    default:
        break;
    }
    return false;
}

// An X11 window manager puts its frame around the window after it is mapped and tells of it
// in a window property, which Qt reads when it next asks for the frame: any reparenting,
// configure or property event may be the one.
bool OuterSize::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    constexpr quint8 kReparentNotify = 21;
    constexpr quint8 kConfigureNotify = 22;
    constexpr quint8 kPropertyNotify = 28;
    if (eventType == "xcb_generic_event_t") {
        const quint8 type = *static_cast<const quint8 *>(message) & 0x7f;
        if (type == kReparentNotify || type == kConfigureNotify || type == kPropertyNotify)
            QMetaObject::invokeMethod(this, &OuterSize::adoptFrame, Qt::QueuedConnection);
    }
    return false;
}

} // namespace platform
