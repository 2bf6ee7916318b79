// Navigation past a page whose script never returns: a round trip alongside each navigation,
// the renderer ended when none comes back.
#include "runaway_guard.h"

#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>

#ifdef Q_OS_WIN
#include "platform/windows/windows_api.h"
#else
#include <csignal>
#endif

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// How long a page may take to answer: more than a slow script's few seconds, less than a
// user's patience.
constexpr int kAnswerMs = 4000;
// How long the engine may take to tell of a renderer that was ended.
constexpr int kEndMs = 2000;
// How soon the page is asked again once it has answered.
constexpr int kAgainMs = 500;

void endProcess(qint64 pid)
{
#ifdef Q_OS_WIN
    if (HANDLE process = ::OpenProcess(PROCESS_TERMINATE, FALSE, DWORD(pid))) {
        ::TerminateProcess(process, 1);
        ::CloseHandle(process);
    }
#else
    ::kill(pid_t(pid), SIGKILL);
#endif
}

} // namespace

RunawayGuard::RunawayGuard(QWebEnginePage *page, std::function<bool()> asking)
    : QObject(page)
    , m_page(page)
    , m_asking(std::move(asking))
{
    // A navigation that has ended holds nothing.
    connect(page, &QWebEnginePage::loadFinished, this, &RunawayGuard::standDown);
    // A navigation that waited for its renderer's end is made again, in a new one.
    connect(page, &QWebEnginePage::renderProcessTerminated, this, [this] {
        const auto navigation = m_navigation;
        const bool ended = std::exchange(m_ending, false);
        standDown();
        if (ended && navigation)
            navigation();
    });
}

void RunawayGuard::go(std::function<void()> navigation)
{
    m_navigation = std::move(navigation);
    if (m_ending)
        return;
    const bool guarded = m_page->renderProcessPid() > 0 &&
                         m_page->settings()->testAttribute(QWebEngineSettings::JavascriptEnabled);
    m_navigation();
    if (guarded)
        ask(++m_asked);
    else
        standDown();
}

// One question, with its deadline; once answered, the next a little later.
void RunawayGuard::ask(quint64 asked)
{
    const auto again = [this](quint64 next) {
        QTimer::singleShot(kAgainMs, this, [this, next] {
            if (m_asked == next && m_navigation)
                ask(next);
        });
    };
    // The page waits on the user, not on a script of its own.
    if (m_asking())
        return again(asked);
    const QPointer<RunawayGuard> guard(this);
    m_page->runJavaScript(u"0"_s, QWebEngineScript::ApplicationWorld,
                          [guard, asked, again](const QVariant &) {
                              if (guard && guard->m_asked == asked)
                                  again(++guard->m_asked);
                          });
    // A box the page opened meanwhile holds its script until the user answers.
    QTimer::singleShot(kAnswerMs, this, [this, asked, again] {
        if (m_asked != asked || !m_navigation)
            return;
        if (m_asking())
            again(asked);
        else
            endRenderer();
    });
}

void RunawayGuard::standDown()
{
    ++m_asked;
    if (!m_ending)
        m_navigation = nullptr;
}

void RunawayGuard::endRenderer()
{
    const qint64 pid = m_page->renderProcessPid();
    if (pid <= 0)
        return standDown();
    m_ending = true;
    endProcess(pid);
    // Made again even should the engine not tell of the end.
    const quint64 asked = m_asked;
    QTimer::singleShot(kEndMs, this, [this, asked] {
        if (m_asked == asked && std::exchange(m_ending, false)) {
            if (const auto navigation = std::exchange(m_navigation, nullptr))
                navigation();
        }
    });
}

} // namespace platform
