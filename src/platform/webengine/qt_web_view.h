// The web view on Qt WebEngine.
#pragma once

#include "platform/page_events.h"
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
// the page again. The engine shows the page in a widget of its own, made later and anew (for a
// page's source, or after a renderer has ended): the view alone watches it, tells what the user
// does there, and keeps the keyboard as it changes.
class QtWebView final : public QWebEngineView, public WebView
{
    Q_OBJECT

public:
    explicit QtWebView(QWidget *parent = nullptr);

    // What happens in the page, for the features beside the view.
    PageEvents *events() const { return m_events; }
    // Whether the engine's own widgets take the keyboard (by Tab, a click, the page's doing):
    // while not, the features beside the view have the page's keys, and a keyboard that comes
    // to the page is told as taken and goes no further.
    void setPageTakesKeyboard(bool takes);

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
    // The page's renderer has ended (killed, or out of memory), leaving no page to show.
    void pageStopped();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void userGo(std::function<void()> navigation);
    void keepKeyboard(QWidget *left);

    WebPage *m_page = nullptr;
    RunawayGuard *m_guard = nullptr;
    PageEvents *m_events;
    bool m_pageTakesKeyboard = true;
};

} // namespace platform
