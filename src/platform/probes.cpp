// Benchmark probes: start-up steps, the first paint, GUI thread gaps, downloads row updates.
#include "probes.h"

#include <QBasicTimer>
#include <QEvent>
#include <QLoggingCategory>
#include <QMainWindow>

#include <chrono>

namespace platform::probes {

namespace {

Q_LOGGING_CATEGORY(lcStartup, "zel.startup", QtWarningMsg)
Q_LOGGING_CATEGORY(lcGui, "zel.gui", QtWarningMsg)
Q_LOGGING_CATEGORY(lcDownloads, "zel.downloads", QtWarningMsg)

double clockSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

class GapProbe final : public QObject
{
public:
    explicit GapProbe(QObject *parent)
        : QObject(parent)
    {
        m_timer.start(10, Qt::PreciseTimer, this);
    }

protected:
    void timerEvent(QTimerEvent *) override
    {
        const double now = clockSeconds();
        qCDebug(lcGui, "%.6f gap %.1f ms", now, (now - m_last) * 1000);
        m_last = now;
    }

private:
    QBasicTimer m_timer;
    double m_last = clockSeconds();
};

// Logs the first paint of what it watches, then goes.
class FirstPaint final : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            startupStep("first paint");
            watched->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }
};

} // namespace

void startupStep(const char *step)
{
    qCDebug(lcStartup, "%.6f %s", clockSeconds(), step);
}

void watchWindow(QWidget *window)
{
    if (lcStartup().isDebugEnabled()) {
        auto *main = qobject_cast<QMainWindow *>(window);
        QWidget *content = main && main->centralWidget() ? main->centralWidget() : window;
        content->installEventFilter(new FirstPaint(window));
    }
    if (lcGui().isDebugEnabled())
        new GapProbe(window);
}

void downloadRowUpdated()
{
    qCDebug(lcDownloads, "%.6f row updated", clockSeconds());
}

} // namespace platform::probes
