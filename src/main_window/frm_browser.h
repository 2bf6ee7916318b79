// Zel Tidewell — a small desktop news reader.
#pragma once

#include "platform/browser_platform.h"

#include <QMainWindow>

#include <memory>

class QListWidget;

// The main window: the banner, the news category lists and the web view below them.
class frmBrowser final : public QMainWindow
{
    Q_OBJECT

public:
    explicit frmBrowser(platform::BrowserPlatform platform);
    ~frmBrowser() override;

    // The outer size of the window (frame, title bar and menu bar included), in twips.
    // Setting it raises platform::Error while the window is minimized or maximized.
    float Width() const;
    float Height() const;
    void setWidth(float twips);
    void setHeight(float twips);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void Form_Load();
    void Form_Resize();
    void OpenSitePage(QString page);

    QSize frameExtent() const;

    std::unique_ptr<platform::WebView> m_webView;
    platform::WebView &WebBrowser;
    QListWidget *List2 = nullptr;
    QListWidget *List1 = nullptr;
};
