// One download landing on disk under a partial name until it is whole.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

class QWebEngineDownloadRequest;

namespace downloads {

// One download landing on disk. It is written into a folder of its own beside its target,
// under a partial name, which only the user may enter, and takes the target's name only when
// it is complete and holds every byte that came; a download that fails or is cancelled leaves
// no file behind, even when the program ends without closing its windows. A page saved whole
// is written there too, and its file and the folder of its parts take their names beside the
// target at the end.
class Download final : public QObject
{
    Q_OBJECT

public:
    enum class State { Running, Completed, Failed, Cancelled, Refused };

    // Precondition: the request has been neither accepted nor cancelled, and no file or other
    // download uses the partial name; this accepts the request, or, where the folder cannot be
    // made there, cancels it and fails.
    Download(QWebEngineDownloadRequest *request, const QString &target, const QString &partial,
             QObject *parent);

    // A download that was never started, for the reason given.
    static Download *failed(const QString &target, const QString &reason, QObject *parent);
    // A download that a page started without a user action; it was cancelled unasked.
    static Download *refused(const QString &target, QObject *parent);

    QString target() const { return m_target; }
    // The folder the engine writes in while it runs.
    QString partial() const { return m_partial; }
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
    void update();
    void interrupted();
    void complete();
    void completePage();
    enum Partial { DiscardPartial, KeepPartial };
    void end(State state, const QString &failure = {}, Partial partial = DiscardPartial);

    QPointer<QWebEngineDownloadRequest> m_request;
    QString m_target;
    QString m_partial;
    State m_state = State::Running;
    QString m_failure;
    // A page saved whole, rather than a file.
    bool m_page = false;
    // Whether the user chose to replace what had the target's name, and for a page, its
    // folder of parts with it: an earlier save's.
    bool m_replaces = false;
    bool m_replacesParts = false;
    // The name the engine writes under: the target's, or for a page one whose parts have a
    // free folder.
    QString m_workingName;
    qint64 m_finalBytes = -1;
    int m_refusals = 0;
};

} // namespace downloads
