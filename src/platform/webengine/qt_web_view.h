// The web view on Qt WebEngine.
#pragma once

#include "platform/web_view.h"

#include <QWebEngineView>

#include <functional>

namespace platform {

class RunawayGuard;
class WebPage;

// The web view on Qt WebEngine, with the default (off-the-record) profile: nothing of what it
// visits is written to disk. Links and scripts that ask for a new window open in this view.
// The user's navigations get past a page whose script never returns. The source of a page
// ("view-source:" and its address) takes the page's own place in the history: back from it is
// the page again.
class QtWebView final : public QWebEngineView, public WebView
{
    Q_OBJECT

public:
    explicit QtWebView(QWidget *parent = nullptr);

    void Navigate(const QString &address) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void setWidth(float twips) override;
    void setHeight(float twips) override;
    QWidget *widget() override { return this; }

    // Whether GoBack has a page to go to.
    bool canGoBack() const;

signals:
    // The program has asked for an address: the user's doing, from a list, a menu or Open.
    void addressAsked();
    // The page that the user's last navigation asked for has loaded.
    void askedPageLoaded();
    // The page's renderer has ended (killed, or out of memory), leaving no page to show.
    void pageStopped();

private:
    void userGo(std::function<void()> navigation);

    WebPage *m_page = nullptr;
    RunawayGuard *m_guard = nullptr;
    bool m_asked = false;
};

} // namespace platform
