// Quit signals (SIGTERM, SIGINT, SIGHUP) turned into a call on the GUI thread.
#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

namespace platform {

// Turns SIGTERM, SIGINT and SIGHUP into a call on the GUI thread, so that the program ends as
// if the user had closed its windows. The handler only writes a byte to a pipe; the call comes
// from the event loop. On systems without these signals it does nothing.
class QuitSignals final : public QObject
{
    Q_OBJECT

public:
    QuitSignals(std::function<void()> onSignal, QObject *parent = nullptr);
    ~QuitSignals() override;

private:
    std::function<void()> m_onSignal;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace platform
