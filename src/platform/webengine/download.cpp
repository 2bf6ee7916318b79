// Zel Tidewell — a small desktop news reader.
#include "download.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWebEngineDownloadRequest>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// The engine writes a download under this suffix until it has all of it.
constexpr QStringView kEngineSuffix = u".download";

// The engine's code for a body that ended before its announced length, which Qt does not name.
constexpr int kContentLengthMismatch = 38;

QString reasonText(QWebEngineDownloadRequest::DownloadInterruptReason reason)
{
    using R = QWebEngineDownloadRequest;
    if (int(reason) == kContentLengthMismatch)
        return u"the server closed the connection before the end"_s;
    switch (reason) {
    case R::FileNoSpace:
        return u"the disk is full"_s;
    case R::FileAccessDenied:
        return u"the folder cannot be written to"_s;
    case R::FileNameTooLong:
        return u"the file name is too long"_s;
    case R::FileTooLarge:
        return u"the file is too large for the disk"_s;
    case R::FileFailed:
    case R::FileTransientError:
        return u"the file could not be written"_s;
    case R::NetworkFailed:
    case R::NetworkDisconnected:
        return u"the network connection was lost"_s;
    case R::NetworkTimeout:
        return u"the network did not answer in time"_s;
    case R::NetworkServerDown:
    case R::ServerUnreachable:
        return u"the server cannot be reached"_s;
    case R::FileTooShort:
        return u"the server closed the connection before the end"_s;
    case R::ServerFailed:
        return u"the server failed"_s;
    case R::ServerBadContent:
        return u"the server does not have the file"_s;
    case R::ServerUnauthorized:
    case R::ServerForbidden:
        return u"the server refused the download"_s;
    default:
        return u"the download was interrupted (reason "_s + QString::number(int(reason)) + u')';
    }
}

} // namespace

Download::Download(QWebEngineDownloadRequest *request, const QString &target, QObject *parent)
    : QObject(parent)
    , m_request(request)
    , m_target(target)
    , m_partial(target + u".part"_s)
{
    const QFileInfo partial(m_partial);
    // Left over from an earlier run that did not end.
    QFile::remove(m_partial);
    QFile::remove(m_partial + kEngineSuffix);
    request->setDownloadDirectory(partial.absolutePath());
    request->setDownloadFileName(partial.fileName());
    connect(request, &QWebEngineDownloadRequest::stateChanged, this, &Download::update);
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this, &Download::changed);
    connect(request, &QWebEngineDownloadRequest::totalBytesChanged, this, &Download::changed);
    connect(request, &QWebEngineDownloadRequest::interruptReasonChanged, this,
            &Download::interrupted);
    request->accept();
}

qint64 Download::receivedBytes() const
{
    return m_request ? m_request->receivedBytes() : 0;
}

qint64 Download::totalBytes() const
{
    return m_request ? m_request->totalBytes() : -1;
}

void Download::cancel()
{
    if (m_state != State::Running)
        return;
    end(State::Cancelled);
    if (m_request)
        m_request->cancel();
}

void Download::update()
{
    if (m_state != State::Running || !m_request)
        return;
    switch (m_request->state()) {
    case QWebEngineDownloadRequest::DownloadRequested:
    case QWebEngineDownloadRequest::DownloadInProgress:
        emit changed();
        break;
    case QWebEngineDownloadRequest::DownloadCompleted:
        // The user has confirmed replacing a file of the target's name.
        // If it cannot take the target's name, the complete file stays under its ".part" name.
        if ((QFile::exists(m_target) && !QFile::remove(m_target)) ||
            !QFile::rename(m_partial, m_target))
            end(State::Failed,
                u"cannot save as "_s + QDir::toNativeSeparators(m_target) +
                    u"; the file is kept as "_s + QDir::toNativeSeparators(m_partial),
                KeepPartial);
        else
            end(State::Completed);
        break;
    case QWebEngineDownloadRequest::DownloadCancelled:
        // Not by the user: the engine gives up when it cannot create the file.
        end(State::Failed, u"the file cannot be created in "_s +
                               QDir::toNativeSeparators(QFileInfo(m_partial).absolutePath()));
        break;
    case QWebEngineDownloadRequest::DownloadInterrupted:
        end(State::Failed, reasonText(m_request->interruptReason()));
        break;
    }
}

// The engine may try a broken-off download again and again while it still reports it as
// running; the first interruption ends it.
void Download::interrupted()
{
    if (m_state != State::Running || !m_request)
        return;
    const auto reason = m_request->interruptReason();
    if (reason == QWebEngineDownloadRequest::NoReason ||
        reason == QWebEngineDownloadRequest::UserCanceled)
        return;
    end(State::Failed, reasonText(reason));
    m_request->cancel();
}

void Download::end(State state, const QString &failure, Partial partial)
{
    m_state = state;
    m_failure = failure;
    if (state != State::Completed && partial == DiscardPartial) {
        QFile::remove(m_partial);
        QFile::remove(m_partial + kEngineSuffix);
    }
    emit changed();
}

} // namespace platform
