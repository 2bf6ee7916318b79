// The web view on Qt WebEngine.
#pragma once

#include "platform/web_view.h"

#include <QPointer>
#include <QWebEngineView>

#include <memory>

class QAction;
class QLabel;
class QPrinter;

namespace platform {

class FindBar;
class PageAnnouncer;
class RunawayGuard;

// The web view on Qt WebEngine, with the default (off-the-record) profile: nothing of what it
// visits is written to disk. Links and scripts that ask for a new window open in this view.
// The user's navigations get past a page whose script never returns, and a page whose
// renderer has ended says so in the view. Inside the pane the reader has what browsers give:
// a context menu whose every item does what it says, the browsing keys (F5 and Ctrl+R, Alt+Left
// and Alt+Right, Esc while loading), a find bar (Ctrl+F, F3, Shift+F3), printing (Ctrl+P),
// zoom for this run (Ctrl+plus, Ctrl+minus, Ctrl+0), a link's address at the lower left while
// the mouse is on it, and a thin line along the top while a page loads.
class QtWebView final : public QWebEngineView, public WebView
{
    Q_OBJECT

public:
    explicit QtWebView(QWidget *parent = nullptr);
    ~QtWebView() override;

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
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void addKeys();
    // Goes where the user asked; the page's title is told to a screen reader once it loads.
    void userGo(std::function<void()> navigation);
    void showStopped();
    void showLink(const QString &url);
    void showProgress(int percent);
    void zoom(int steps);
    void printPage();
    FindBar *findBar();
    // The part of the pane that lies inside the window, where its bars go.
    QRect shownArea() const;
    // What the bars and the notice are made in: the pane's parent, where a screen reader finds
    // them (the engine's pane shows it the page alone), or the pane itself while it has none.
    QWidget *barHost();
    // A rectangle of the pane in the coordinates of barHost().
    QRect inHost(const QRect &rect);
    void placeBars();

    RunawayGuard *m_guard = nullptr;
    QAction *m_stop = nullptr;
    // Each made when first needed, and gone with the pane.
    QPointer<QLabel> m_stopped;
    QPointer<QLabel> m_link;
    QPointer<QWidget> m_progress;
    QPointer<FindBar> m_findBar;
    QPointer<PageAnnouncer> m_announcer;
    bool m_announce = false;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace platform
