// Zel Tidewell — a small desktop news reader.
#include "downloads.h"

#include "download.h"
#include "downloads_window.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace platform {

Downloads::Downloads(QWebEngineView *view, std::unique_ptr<SaveDialog> saveDialog)
    : QObject(view)
    , m_view(view)
    , m_saveDialog(std::move(saveDialog))
{
    connect(view->page()->profile(), &QWebEngineProfile::downloadRequested, this,
            &Downloads::onDownloadRequested);
}

Downloads::~Downloads()
{
    for (Download *download : findChildren<Download *>(Qt::FindDirectChildrenOnly))
        download->cancel();
}

QString Downloads::proposedPath(const QString &folder, const QString &name)
{
    const QDir dir(folder);
    const QFileInfo file(name);
    const QString suffix =
        file.completeSuffix().isEmpty() ? QString() : u'.' + file.completeSuffix();
    QString candidate = name;
    for (int n = 1; dir.exists(candidate); ++n)
        candidate = file.baseName() + u" ("_s + QString::number(n) + u')' + suffix;
    return dir.filePath(candidate);
}

// The request must be accepted or cancelled before this returns.
void Downloads::onDownloadRequested(QWebEngineDownloadRequest *request)
{
    if (request->page() != m_view->page())
        return;
    // The Downloads folder, made when the first download needs it, as browsers do. A file is
    // never offered relative to the working directory, which may be anyone's folder.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    if (!QDir::isAbsolutePath(folder) || !QDir().mkpath(folder))
        folder = QDir::homePath();
    const QString target =
        m_saveDialog->askSavePath(proposedPath(folder, request->suggestedFileName()));
    if (target.isEmpty()) {
        request->cancel();
        return;
    }
    auto *download = new Download(request, QFileInfo(target).absoluteFilePath(), this);
    if (!m_window)
        m_window = new DownloadsWindow(m_view->window());
    m_window->add(download);
    m_window->show();
    m_window->raise();
}

} // namespace platform
