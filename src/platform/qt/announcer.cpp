// Telling a screen reader something: an accessible object of the notification kind, shown anew
// for each text.
#include "announcer.h"

#include <QAccessibleWidget>
#include <QApplication>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// Qt gives its widgets no notification kind of their own.
class NotificationAccessible final : public QAccessibleWidget
{
public:
    explicit NotificationAccessible(QWidget *widget)
        : QAccessibleWidget(widget, QAccessible::Notification)
    {}
};

QAccessibleInterface *notificationFactory(const QString &className, QObject *object)
{
    if (className == QLatin1StringView(Announcer::staticMetaObject.className()) &&
        object->isWidgetType())
        return new NotificationAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

Announcer::Announcer(QWidget *parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(notificationFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(u"announcer"_s);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
    // Shown only to tell: not with its window, which would be told as a notification without text.
    hide();
}

// A screen reader speaks the object when it comes to be showing; with none running there is
// no one to tell.
void Announcer::announce(const QString &text)
{
    if (!QAccessible::isActive())
        return;
    // Between windows (a dialog just closed, the window it came from not yet active again) a
    // screen reader is flooded with the windows' news, and drops what comes before the new
    // window's: the text waits for it.
    QWidget *active = QApplication::activeWindow();
    if (!active) {
        connect(
            qApp, &QGuiApplication::focusWindowChanged, this,
            [this, text] {
                QMetaObject::invokeMethod(
                    this, [this, text] { announce(text); }, Qt::QueuedConnection);
            },
            Qt::SingleShotConnection);
        return;
    }
    if (active == window())
        return tell(text);
    auto *there = active->findChild<Announcer *>(QString(), Qt::FindDirectChildrenOnly);
    (there ? there : new Announcer(active))->tell(text);
}

// Hidden with its window, it is not shown again with it, which would tell its last text again.
void Announcer::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!isHidden())
        QMetaObject::invokeMethod(this, &QWidget::hide, Qt::QueuedConnection);
}

void Announcer::tell(const QString &text)
{
    hide();
    setAccessibleName(text);
    show();
}

} // namespace platform
