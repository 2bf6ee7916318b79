// Navigation past a page whose script never returns.
#pragma once

#include <QObject>

#include <functional>

class QWebEnginePage;

namespace platform {

// Goes where the user asked even when the page being left no longer answers. Each navigation
// goes at once, and while the page being left holds it (until the navigation has been
// committed to its new page, refused at the page's question before it is left, or has ended),
// that page is asked again and again for a round trip to its script alongside: a page that
// answers while idle may still hold the navigation up when the new page comes to replace it (a
// loop in its pagehide or visibilitychange handlers). A page that has not answered within a few
// seconds (a script that never returns holds its renderer, and the new page with it) has its
// renderer ended, and the navigation is made again in a new one. A page that is only slow
// answers in time and is left alone, and so is the new page once it is committed, however busy
// (the user stays there, and may stop it or leave it); a page without a renderer or without
// script is not asked, nor one while it waits on its own dialog box.
class RunawayGuard final : public QObject
{
public:
    // Made a child of the page. asking: whether one of the page's dialog boxes is open.
    RunawayGuard(QWebEnginePage *page, std::function<bool()> asking);

    void go(std::function<void()> navigation);
    // The page being left holds the navigation no longer: it has been committed to its new
    // page, or refused at the page's question before it is left.
    void standDown();
    // Whether a navigation waits for the page's renderer to end and be made anew.
    bool waiting() const { return m_ending; }

private:
    void ask(quint64 asked);
    void endRenderer();

    QWebEnginePage *m_page;
    std::function<bool()> m_asking;
    // The last navigation, while the page being left holds it.
    std::function<void()> m_navigation;
    // Counts the questions put to the page: only the answer and deadline of the last one count.
    quint64 m_asked = 0;
    bool m_ending = false;
};

} // namespace platform
