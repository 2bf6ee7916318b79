// Telling a screen reader the title of a page that has loaded: an accessible object of the
// notification kind, shown anew for each title.
#include "page_announcer.h"

#include <QAccessibleWidget>

using namespace Qt::StringLiterals;

namespace reader_pane {

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
    if (className == QLatin1StringView(PageAnnouncer::staticMetaObject.className()) &&
        object->isWidgetType())
        return new NotificationAccessible(static_cast<QWidget *>(object));
    return nullptr;
}

} // namespace

PageAnnouncer::PageAnnouncer(QWidget *parent)
    : QWidget(parent)
{
    static const bool installed = [] {
        QAccessible::installFactory(notificationFactory);
        return true;
    }();
    Q_UNUSED(installed);
    setObjectName(u"pageAnnouncer"_s);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
}

// A screen reader speaks the object when it comes to be showing.
void PageAnnouncer::announce(const QString &title)
{
    hide();
    setAccessibleName(title);
    show();
}

} // namespace reader_pane
