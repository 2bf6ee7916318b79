// What the reader's pane shows over the view: the bars, the stopped-page notice, the find bar
// and the title announcer, in one host widget.
#pragma once

#include <QObject>
#include <QPointer>

class QLabel;
class QWebEngineView;
class QWidget;

namespace platform {
class Announcer;
}

namespace reader_pane {

class FindBar;
class ReadingView;

// The widgets over the pane (the part of the window where the view shows the page), each made
// when first needed: the address of the link under the mouse at the lower left, a thin line
// along the top while a page loads, a notice in place of a page whose renderer has ended, the
// find bar along the bottom, and the announcer of page titles; and under it, the page's text for
// a screen reader. They lie in one host that the window names, a widget the view lies in, where
// a screen reader finds them (the engine's pane shows it the page alone); one rule places them
// in the host's coordinates over the part of the pane that shows.
class PaneBars final : public QObject
{
public:
    // Made a child of the view. Precondition: the view lies in host.
    PaneBars(QWebEngineView *view, QWidget *host);
    ~PaneBars() override;

    // The address of the link under the mouse; an empty one hides it.
    void showLink(const QString &url);
    void showProgress(int percent);
    void showStopped(bool stopped);
    FindBar *findBar();
    void announce(const QString &text);
    ReadingView *readingView();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();

    QWebEngineView *m_view;
    QWidget *m_host;
    QPointer<QLabel> m_link;
    QPointer<QWidget> m_progress;
    QPointer<QLabel> m_stopped;
    QPointer<FindBar> m_findBar;
    QPointer<platform::Announcer> m_announcer;
    QPointer<ReadingView> m_readingView;
    int m_percent = 100;
};

} // namespace reader_pane
