// Navigation past a page whose script never returns.
#pragma once

#include <QObject>

#include <functional>

class QWebEnginePage;

namespace platform {

// Goes where the user asked even when the page shown no longer answers. A navigation first
// waits for one round trip to the page's script; a page that does not answer within a few
// seconds (a script that never returns holds its renderer) has its renderer ended, and the
// navigation goes on in a new one. A page that is only slow answers in time and is left alone;
// a page without a renderer or without script, or one waiting on its own dialog box, is not
// asked at all.
class RunawayGuard final : public QObject
{
public:
    // Made a child of the page. asking: whether one of the page's dialog boxes is open.
    RunawayGuard(QWebEnginePage *page, std::function<bool()> asking);

    // Runs the navigation once the page has answered, or its renderer has ended; a later
    // navigation takes the place of one still waiting.
    void go(std::function<void()> navigation);
    // Whether a navigation is waiting for the page's answer or its renderer's end.
    bool waiting() const { return bool(m_navigation); }

private:
    void goNow();
    void endRenderer();

    QWebEnginePage *m_page;
    std::function<bool()> m_asking;
    std::function<void()> m_navigation;
    // Counts the questions put to the page: only the answer and deadline of the last one count.
    quint64 m_asked = 0;
    bool m_ending = false;
};

} // namespace platform
