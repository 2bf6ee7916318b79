// The downloads of the web view: where each is saved, and which a page may start.
#pragma once

#include "downloads_window.h"

#include "platform/save_dialog.h"

#include <QObject>
#include <QPointer>
#include <QSet>

#include <memory>

class QWebEngineDownloadRequest;
class QWebEngineView;
namespace platform {
class PageEvents;
}

namespace downloads {

class Download;

// The downloads of one web view: each is saved where the user says, with its progress in the
// downloads window. Nothing downloaded is ever opened or run. When the view goes, the downloads
// still running are cancelled and what they wrote is removed.
//
// The server and the page are not trusted: the name a server sends is only a proposal, made
// into a plain file name in the Downloads folder, and a page gets one save dialog for each
// action of the user (a click or a key in the page, or the program going to an address);
// downloads it starts beyond that are refused and shown as refused.
class Downloads final : public QObject
{
    Q_OBJECT

public:
    // Made a child of the view, and gone with it; events: what the user does in its page.
    Downloads(QWebEngineView *view, platform::PageEvents *events,
              std::unique_ptr<platform::SaveDialog> saveDialog);
    ~Downloads() override;

    // The window that shows the downloads, once there has been one.
    DownloadsWindow *window() const { return m_window; }

private:
    void onDownloadRequested(QWebEngineDownloadRequest *request);
    // The targets and partial files of the downloads still running.
    QSet<QString> inUse() const;
    void show(Download *download);

    QWebEngineView *m_view;
    std::unique_ptr<platform::SaveDialog> m_saveDialog;
    QPointer<DownloadsWindow> m_window;
    QPointer<Download> m_lastRefused;
    bool m_userActed = false;
};

} // namespace downloads
