// One download: accepted into a partial file, moved to its target when whole.
#include "download.h"

#include "download_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QWebEngineDownloadRequest>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <set>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#endif

using namespace Qt::StringLiterals;

namespace downloads {

namespace {

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

// The partial files of the downloads still running, removed when the process ends with
// them still there: a program whose X connection breaks is ended by Qt with exit(), which runs
// no destructor of the windows but does run this one. Kept as encoded names so that the end
// needs nothing of Qt.
class PartialFiles
{
public:
    ~PartialFiles()
    {
        std::error_code error;
        for (const QByteArray &name : m_names)
            std::filesystem::remove_all(name.constData(), error);
    }
    void add(const QString &path) { m_names.insert(QFile::encodeName(path)); }
    void remove(const QString &path) { m_names.erase(QFile::encodeName(path)); }

private:
    std::set<QByteArray> m_names;
};

PartialFiles &runningPartials()
{
    static PartialFiles files;
    return files;
}

// Gives the complete file its name at once, so that no one sees a half-moved file. A file
// there is replaced only where the user confirmed replacing it; a link is never replaced, and
// nothing that took the name meanwhile is.
bool moveIntoPlace(const QString &from, const QString &to, bool replace)
{
    namespace fs = std::filesystem;
    const fs::path source(from.toStdU16String()), target(to.toStdU16String());
    std::error_code error;
    const fs::file_type there = fs::symlink_status(target, error).type();
    if (there == fs::file_type::symlink || (there != fs::file_type::not_found && !replace))
        return false;
#ifdef Q_OS_LINUX
    if (there == fs::file_type::not_found) {
        if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
            return true;
        // Only file systems that cannot promise it are left to the plain move.
        if (errno != EINVAL && errno != ENOSYS)
            return false;
    }
#endif
    fs::rename(source, target, error);
    return !error;
}

} // namespace

Download::Download(QWebEngineDownloadRequest *request, const QString &target,
                   const QString &partial, QObject *parent)
    : QObject(parent)
    , m_request(request)
    , m_target(target)
    , m_partial(partial)
    , m_page(request->isSavePageDownload())
    , m_replaces(hasEntry(target))
{
    // A page's folder of parts takes the place of one beside the target only where it is that
    // earlier page's, which the user has chosen to replace; else the engine writes the page
    // under a name whose folder of parts is free, and the page takes the target's name at the
    // end (it names its parts by their folder's name).
    const QString parts = QFileInfo(target).absoluteDir().filePath(partsFolderOf(target));
    m_replacesParts = m_page && m_replaces && holdsOnlyPartsOf(target, parts);
    m_workingName =
        m_page && !m_replacesParts ? pageWorkingName(target) : QFileInfo(target).fileName();
    // The engine writes in a folder of the download's own under the partial name, which no one
    // else may enter: no name in it can be planted to be written through, and the finished
    // file (or a page's file and the folder of its parts) moves out of it at the end.
    if (!QDir().mkdir(m_partial, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
        end(State::Failed,
            u"the file cannot be created in "_s +
                QDir::toNativeSeparators(QFileInfo(m_partial).absolutePath()),
            KeepPartial);
        return;
    }
    runningPartials().add(m_partial);
    if (m_page)
        request->setSavePageFormat(QWebEngineDownloadRequest::CompleteHtmlSaveFormat);
    request->setDownloadDirectory(m_partial);
    request->setDownloadFileName(m_workingName);
    connect(request, &QWebEngineDownloadRequest::stateChanged, this, &Download::update);
    connect(request, &QWebEngineDownloadRequest::receivedBytesChanged, this, &Download::changed);
    connect(request, &QWebEngineDownloadRequest::totalBytesChanged, this, &Download::changed);
    connect(request, &QWebEngineDownloadRequest::interruptReasonChanged, this,
            &Download::interrupted);
    request->accept();
}

Download::Download(const QString &target, State state, const QString &failure, QObject *parent)
    : QObject(parent)
    , m_target(target)
    , m_state(state)
    , m_failure(failure)
    , m_refusals(state == State::Refused ? 1 : 0)
{}

Download *Download::failed(const QString &target, const QString &reason, QObject *parent)
{
    return new Download(target, State::Failed, reason, parent);
}

Download *Download::refused(const QString &target, QObject *parent)
{
    return new Download(target, State::Refused, {}, parent);
}

qint64 Download::receivedBytes() const
{
    if (m_finalBytes >= 0)
        return m_finalBytes;
    return m_request ? m_request->receivedBytes() : 0;
}

qint64 Download::totalBytes() const
{
    if (m_finalBytes >= 0)
        return m_finalBytes;
    return m_request ? m_request->totalBytes() : -1;
}

void Download::refuseAnother()
{
    ++m_refusals;
    emit changed();
}

void Download::cancel()
{
    if (m_state != State::Running)
        return;
    end(State::Cancelled);
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
        complete();
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

// Completed means that the file at the target holds exactly what came for this download.
void Download::complete()
{
    if (m_page)
        return completePage();
    const qint64 received = m_request->receivedBytes();
    const qint64 total = m_request->totalBytes();
    const QString file = QDir(m_partial).filePath(QFileInfo(m_target).fileName());
    const qint64 onDisk = QFileInfo(file).size();
    if (!QFileInfo(file).isFile() || onDisk != received || (total >= 0 && total != received)) {
        end(State::Failed, u"the file on disk does not hold the whole download"_s);
        return;
    }
    // If it cannot take the target's name, the complete file stays in the partial folder.
    if (!moveIntoPlace(file, m_target, m_replaces)) {
        end(State::Failed,
            u"cannot save as "_s + QDir::toNativeSeparators(m_target) +
                u"; the file is kept as "_s + QDir::toNativeSeparators(file),
            KeepPartial);
        return;
    }
    m_finalBytes = onDisk;
    end(State::Completed);
}

// The page's file takes its name, and the folder of its parts takes its own beside it. Both
// names are looked at before anything moves: a folder there is replaced only where it still
// holds nothing but the parts of the page the user chose to replace (never a link, a file or a
// folder with anything else in it).
void Download::completePage()
{
    const QDir folder(m_partial);
    const QString file = folder.filePath(m_workingName);
    if (!QFileInfo(file).isFile()) {
        end(State::Failed, u"the page could not be saved"_s);
        return;
    }
    m_finalBytes = QFileInfo(file).size();
    const QDir place = QFileInfo(m_target).absoluteDir();
    const QStringList parts = folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    const auto replaced = [&](const QString &name) {
        return m_replacesParts && name == partsFolderOf(m_target) &&
               holdsOnlyPartsOf(m_target, place.filePath(name));
    };
    QStringList earlier;
    bool moved = std::all_of(parts.begin(), parts.end(), [&](const QString &name) {
        if (!hasEntry(place.filePath(name)))
            return true;
        earlier << name;
        return replaced(name);
    });
    moved = moved && moveIntoPlace(file, m_target, m_replaces);
    for (const QString &name : parts) {
        std::error_code error;
        if (moved && earlier.contains(name))
            std::filesystem::remove_all(QFile::encodeName(place.filePath(name)).constData(), error);
        moved = moved && moveIntoPlace(folder.filePath(name), place.filePath(name), false);
    }
    if (!moved || !QDir().rmdir(m_partial)) {
        end(State::Failed,
            u"cannot save as "_s + QDir::toNativeSeparators(m_target) +
                u"; the page is kept in "_s + QDir::toNativeSeparators(m_partial),
            KeepPartial);
        return;
    }
    end(State::Completed);
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
}

void Download::end(State state, const QString &failure, Partial partial)
{
    m_state = state;
    m_failure = failure;
    // The folder goes with what is left in it: a completed download's file has left it.
    if (!m_partial.isEmpty()) {
        std::error_code error;
        if (partial == DiscardPartial)
            std::filesystem::remove_all(QFile::encodeName(m_partial).constData(), error);
        runningPartials().remove(m_partial);
    }
    // The engine's record of the download goes now, while the engine is whole (see refuse()).
    if (m_request) {
        if (!m_request->isFinished())
            m_request->cancel();
        m_request->disconnect(this);
        m_request->deleteLater();
        m_request = nullptr;
    }
    emit changed();
}

} // namespace downloads
