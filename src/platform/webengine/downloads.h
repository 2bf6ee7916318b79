// Zel Tidewell — a small desktop news reader.
#pragma once

#include "downloads_window.h"
#include "platform/save_dialog.h"

#include <QObject>
#include <QPointer>

#include <memory>

class QWebEngineDownloadRequest;
class QWebEngineView;

namespace platform {

// The downloads of one web view: each is saved where the user says, with its progress in the
// downloads window. Nothing downloaded is ever opened or run. When the view goes, the downloads
// still running are cancelled and what they wrote is removed.
class Downloads final : public QObject
{
    Q_OBJECT

public:
    Downloads(QWebEngineView *view, std::unique_ptr<SaveDialog> saveDialog);
    ~Downloads() override;

    // The window that shows the downloads, once there has been one.
    DownloadsWindow *window() const { return m_window; }

    // Where to offer to save a file of this name in folder: the name itself, or the first of
    // "name (1).ext", "name (2).ext", ... that is free.
    static QString proposedPath(const QString &folder, const QString &name);

private:
    void onDownloadRequested(QWebEngineDownloadRequest *request);

    QWebEngineView *m_view;
    std::unique_ptr<SaveDialog> m_saveDialog;
    QPointer<DownloadsWindow> m_window;
};

} // namespace platform
