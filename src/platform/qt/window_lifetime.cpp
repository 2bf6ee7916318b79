// Zel Tidewell — a small desktop news reader.
#include "window_lifetime.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <algorithm>

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
        , m_loopLevel(QThread::currentThread()->loopLevel())
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
        const int level = QThread::currentThread()->loopLevel();
        if (level > std::max(m_loopLevel, 1)) {
            QTimer::singleShot(kRetryMs, this, &DeleteWhenClosed::deleteWhenUnwound);
            return;
        }
        m_window->deleteLater();
    }

    QPointer<QWidget> m_window;
    int m_loopLevel;
};

} // namespace

void deleteWhenClosed(QWidget *window)
{
    new DeleteWhenClosed(window);
}

} // namespace platform
