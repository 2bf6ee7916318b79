// A top-level window's outer size in twips, and the frame a window manager adds after mapping.
#include "outer_size.h"

#include "platform/error.h"
#include "platform/twips.h"

#include <QCoreApplication>
#include <QEvent>
#include <QScreen>
#include <QWidget>

namespace platform {

namespace {

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
    // While a window manager takes the window in, its frame may be told before its size.
    if (frame == m_frameUsed || frame.width() < 0 || frame.height() < 0)
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
        // Without a window manager no frame ever comes: the window fits as it is shown.
        adoptFrame();
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
