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
    void showEvent(QShowEvent *event) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool nativeEvent(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    void Form_Load();
    void Form_Resize();
    void OpenSitePage(QString page);

    QSize frameExtent() const;
    void adoptFrame();

    friend class BrowserLogicTest;

    std::unique_ptr<platform::WebView> m_webView;
    platform::WebView &WebBrowser;
    QListWidget *List2 = nullptr;
    QListWidget *List1 = nullptr;
    // The frame that the outer size was last computed with; most window systems tell it only
    // once the window is on screen.
    QSize m_frameUsed;
    bool m_frameSettled = false;
    // The outer size last set, in twips: it reads back as set while the window still has the
    // pixel size it was rounded to.
    float m_setWidth = -1.0f;
    float m_setHeight = -1.0f;
};
