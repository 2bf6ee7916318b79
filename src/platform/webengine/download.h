// Zel Tidewell — a small desktop news reader.
#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

class QWebEngineDownloadRequest;

namespace platform {

// One download landing on disk. It is written beside its target under a partial name of its
// own and takes the target's name only when it is complete and holds every byte that came; a
// download that fails or is cancelled leaves no file behind, even when the program ends
// without closing its windows.
class Download final : public QObject
{
    Q_OBJECT

public:
    enum class State { Running, Completed, Failed, Cancelled, Refused };

    // Precondition: the request has been neither accepted nor cancelled, and no file or other
    // download uses the partial name; this accepts the request.
    Download(QWebEngineDownloadRequest *request, const QString &target, const QString &partial,
             QObject *parent);

    // A download that was never started, for the reason given.
    static Download *failed(const QString &target, const QString &reason, QObject *parent);
    // A download that a page started without a user action; it was cancelled unasked.
    static Download *refused(const QString &target, QObject *parent);

    QString target() const { return m_target; }
    // The partial name for a download to target: "setup.exe.part", or "setup.exe.1.part", ...
    // when a file or a download in use has that name, so that a partial file that is not this
    // run's own is never touched.
    static QString freePartialName(const QString &target, const QSet<QString> &inUse);
    // Whether target's first partial name is taken: another run may be writing it.
    static bool partialNameTaken(const QString &target, const QSet<QString> &inUse);
    // The names written while it runs: the partial file and the engine's own working file.
    QStringList partialFiles() const { return filesOf(m_partial); }
    State state() const { return m_state; }
    QString failure() const { return m_failure; }
    qint64 receivedBytes() const;
    qint64 totalBytes() const; // -1 while unknown
    // How many downloads a refused row stands for: the page's further tries are counted here.
    int refusals() const { return m_refusals; }
    void refuseAnother();

    // Stops a running download and removes what it wrote.
    void cancel();

signals:
    void changed();

private:
    Download(const QString &target, State state, const QString &failure, QObject *parent);
    static QStringList filesOf(const QString &partial);
    static bool taken(const QString &partial, const QSet<QString> &inUse);
    void update();
    void interrupted();
    void complete();
    enum Partial { DiscardPartial, KeepPartial };
    void end(State state, const QString &failure = {}, Partial partial = DiscardPartial);

    QPointer<QWebEngineDownloadRequest> m_request;
    QString m_target;
    QString m_partial;
    State m_state = State::Running;
    QString m_failure;
    qint64 m_finalBytes = -1;
    int m_refusals = 0;
};

} // namespace platform
