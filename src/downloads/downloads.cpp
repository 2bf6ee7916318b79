// The downloads of the web view: a save dialog for each user action, a row for each download.
#include "downloads.h"

#include "download.h"
#include "download_names.h"
#include "downloads_window.h"

#include "platform/page_events.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace downloads {

namespace {

// A download not taken is cancelled, and the engine's record of it let go once the engine has
// its answer: kept, it would be cleared only while the engine shuts down, which can crash it.
void refuse(QWebEngineDownloadRequest *request)
{
    request->cancel();
    request->deleteLater();
}

} // namespace

Downloads::Downloads(QWebEngineView *view, platform::PageEvents *events,
                     std::unique_ptr<platform::SaveDialog> saveDialog)
    : QObject(view)
    , m_view(view)
    , m_saveDialog(std::move(saveDialog))
{
    connect(view->page()->profile(), &QWebEngineProfile::downloadRequested, this,
            &Downloads::onDownloadRequested);
    // The next download may ask where to save it.
    connect(events, &platform::PageEvents::userActed, this, [this] { m_userActed = true; });
}

Downloads::~Downloads()
{
    for (Download *download : findChildren<Download *>(Qt::FindDirectChildrenOnly))
        download->cancel();
}

QSet<QString> Downloads::inUse() const
{
    QSet<QString> paths;
    for (const Download *download : findChildren<Download *>(Qt::FindDirectChildrenOnly)) {
        if (download->state() != Download::State::Running)
            continue;
        paths << download->target() << download->partial();
    }
    return paths;
}

// The request must be accepted or cancelled before this returns.
void Downloads::onDownloadRequested(QWebEngineDownloadRequest *request)
{
    if (request->page() != m_view->page())
        return;
    // A file is never offered relative to the working directory, which may be anyone's folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!QDir::isAbsolutePath(folder))
        folder = QDir::homePath();
    const Saved saved = request->isSavePageDownload() ? Saved::Page : Saved::File;
    const QString name = saved == Saved::Page
                             ? pageFileName(m_view->title())
                             : offeredName(request->suggestedFileName(), request->url());
    // One save dialog for each action of the user. While the dialog is open no action can
    // come, so a page that asks again then is refused too.
    if (!m_userActed) {
        refuse(request);
        if (m_lastRefused) {
            m_lastRefused->refuseAnother();
        } else {
            m_lastRefused = Download::refused(proposedPath(folder, name, inUse(), saved), this);
            show(m_lastRefused);
        }
        return;
    }
    m_userActed = false;
    // The dialog opens in the Downloads folder, made for it where it is missing (the dialog
    // would show the working directory instead) and removed again unless a file is saved there.
    const bool made = !QFileInfo::exists(folder) && QDir().mkpath(folder);
    if (!QFileInfo(folder).isDir())
        folder = QDir::homePath();
    // The proposal holds to the rules for names; what the user types or browses to is the
    // user's choice, and stands as the dialog gives it.
    const QString chosen = m_saveDialog->askSavePath(proposedPath(folder, name, inUse(), saved));
    if (made && QFileInfo(chosen).absolutePath() != QDir(folder).absolutePath())
        QDir().rmdir(folder);
    if (chosen.isEmpty()) {
        refuse(request);
        return;
    }
    const QString target = QDir::cleanPath(QFileInfo(chosen).absoluteFilePath());
    // Asked for again now: other downloads may have started while the dialog was open.
    const QSet<QString> used = inUse();
    if (used.contains(target)) {
        refuse(request);
        show(Download::failed(
            target, u"another download is being saved as "_s + QDir::toNativeSeparators(target),
            this));
        return;
    }
    show(new Download(request, target, freePartialName(target, used), this));
}

void Downloads::show(Download *download)
{
    if (download != m_lastRefused)
        m_lastRefused = nullptr;
    if (!m_window)
        m_window = new DownloadsWindow(m_view->window());
    m_window->add(download);
    m_window->show();
    m_window->raise();
}

} // namespace downloads
