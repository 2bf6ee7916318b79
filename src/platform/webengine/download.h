// Zel Tidewell — a small desktop news reader.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWebEngineDownloadRequest;

namespace platform {

// One download landing on disk. It is written beside its target under a ".part" name and takes
// the target's name only when it is complete; a download that fails or is cancelled leaves no
// file behind.
class Download final : public QObject
{
    Q_OBJECT

public:
    enum class State { Running, Completed, Failed, Cancelled };

    // Precondition: the request has been neither accepted nor cancelled; this accepts it.
    Download(QWebEngineDownloadRequest *request, const QString &target, QObject *parent);

    QString target() const { return m_target; }
    State state() const { return m_state; }
    QString failure() const { return m_failure; }
    qint64 receivedBytes() const;
    qint64 totalBytes() const; // -1 while unknown

    // Stops a running download and removes what it wrote.
    void cancel();

signals:
    void changed();

private:
    void update();
    void interrupted();
    enum Partial { DiscardPartial, KeepPartial };
    void end(State state, const QString &failure = {}, Partial partial = DiscardPartial);

    QPointer<QWebEngineDownloadRequest> m_request;
    QString m_target;
    QString m_partial;
    State m_state = State::Running;
    QString m_failure;
};

} // namespace platform
