// Deleting a window once it has closed and the nested event loops have returned.
#include "window_lifetime.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace platform {

namespace {

// How often to look again while a nested event loop is still returning.
constexpr int kRetryMs = 10;

class DeleteWhenClosed final : public QObject
{
public:
    explicit DeleteWhenClosed(QWidget *window)
        : QObject(window)
        , m_window(window)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        // Whether the close is accepted is known only after the window has had the event.
        if (event->type() == QEvent::Close)
            QTimer::singleShot(0, this, &DeleteWhenClosed::closed);
        return false;
    }

private:
    void closed()
    {
        if (!m_window || m_window->isVisible())
            return;
        // The modal dialogs on top of the window end with it.
        while (QWidget *modal = QApplication::activeModalWidget()) {
            if (!modal->close())
                break;
        }
        deleteWhenUnwound();
    }

    void deleteWhenUnwound()
    {
        if (!m_window)
            return;
        // 1: the program's own event loop, with nothing nested on it.
        if (QThread::currentThread()->loopLevel() > 1) {
            QTimer::singleShot(kRetryMs, this, &DeleteWhenClosed::deleteWhenUnwound);
            return;
        }
        m_window->deleteLater();
    }

    QPointer<QWidget> m_window;
};

} // namespace

void deleteWhenClosed(QWidget *window)
{
    new DeleteWhenClosed(window);
}

} // namespace platform
