// The web view on Qt WebEngine.
#pragma once

#include "platform/web_view.h"

#include <QWebEngineView>

class QLabel;

namespace platform {

class RunawayGuard;

// The web view on Qt WebEngine, with the default (off-the-record) profile: nothing of what it
// visits is written to disk. Links and scripts that ask for a new window open in this view.
// The user's navigations get past a page whose script never returns, and a page whose
// renderer has ended says so in the view.
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

signals:
    // The program has asked for an address: the user's doing, from a list, a menu or Open.
    void addressAsked();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void showStopped();

    RunawayGuard *m_guard = nullptr;
    // Made when a page first stops.
    QLabel *m_stopped = nullptr;
};

} // namespace platform
