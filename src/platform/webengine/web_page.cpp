// The page shown in the web view: new windows, pages from disk and the page's boxes.
#include "web_page.h"

#include "page_dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// The scripts, of the program's own world, that tell of each document as it is made and once
// it has been read in whole (its pictures may still come).
constexpr auto kCommitScript = "zel-committed";
constexpr auto kReadyScript = "zel-ready";

// What the engine asks before a page that wants to be asked is left.
QString leaveQuestion()
{
    return QCoreApplication::translate("QWebEnginePage", "Are you sure you want to leave this "
                                                         "page? Changes that you made may not be "
                                                         "saved.");
}

// A page that the engine asks for in place of a new window: its first navigation goes to the
// view instead, so the new page lands in the view's own history. Only what a user's click on a
// link can ask for goes: a web address, or, from a page opened from disk, a file.
class NewWindowPage final : public QWebEnginePage
{
public:
    NewWindowPage(QWebEngineProfile *profile, QWebEngineView *view, bool fromDisk)
        : QWebEnginePage(profile, view)
        , m_view(view)
        , m_fromDisk(fromDisk)
    {}

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        if (!isMainFrame)
            return false;
        if (url.scheme() == u"http" || url.scheme() == u"https" ||
            (m_fromDisk && url.isLocalFile()))
            m_view->load(url);
        deleteLater();
        return false;
    }

private:
    QWebEngineView *m_view;
    bool m_fromDisk;
};

} // namespace

// A page opened from disk shows the files saved beside it (its folder and the folders below),
// and nothing else: no other local file, no network. A part there that is not a regular file
// (a pipe or a device, which would hold the page for ever) fails as a missing one does.
// Following a link is still allowed. (It runs no script either: see
// WebPage::acceptNavigationRequest.)
class LocalPageGuard final : public QWebEngineUrlRequestInterceptor
{
public:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QUrl page = info.firstPartyUrl();
        if (!page.isLocalFile() ||
            info.resourceType() == QWebEngineUrlRequestInfo::ResourceTypeMainFrame)
            return;
        const QUrl url = info.requestUrl();
        if (url.scheme() == u"data" || url.scheme() == u"blob")
            return;
        const QString folder = QFileInfo(page.toLocalFile()).absolutePath() + u'/';
        const QString file = url.toLocalFile();
        const bool besidePage = url.isLocalFile() && QDir::cleanPath(file).startsWith(folder);
        if (!besidePage || !QFileInfo(file).isFile())
            info.block(true);
    }
};

WebPage::WebPage(QWebEngineView *view)
    : QWebEnginePage(view)
    , m_view(view)
    , m_localPageGuard(new LocalPageGuard(this))
    , m_dialogs(new PageDialogs(view))
{
    // Windows open only from a user's click.
    settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    connect(this, &QWebEnginePage::loadFinished, m_dialogs, &PageDialogs::left);
    connect(this, &QWebEnginePage::renderProcessTerminated, m_dialogs, &PageDialogs::left);
    connect(this, &WebPage::committed, m_dialogs, &PageDialogs::committed);
    // Each document made in the view says so first thing, through the console, with a mark
    // that changes on every run (a page could pretend to be the program's script by name).
    m_mark = QString::number(QRandomGenerator::system()->generate64(), 36);
    for (const auto &[name, point] : {std::pair(kCommitScript, QWebEngineScript::DocumentCreation),
                                      std::pair(kReadyScript, QWebEngineScript::DocumentReady)}) {
        QWebEngineScript tell;
        tell.setName(QLatin1StringView(name));
        tell.setInjectionPoint(point);
        tell.setWorldId(QWebEngineScript::ApplicationWorld);
        tell.setRunsOnSubFrames(false);
        tell.setSourceCode(u"console.log('"_s + m_mark + u"')"_s);
        scripts().insert(tell);
    }
}

void WebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                       int lineNumber, const QString &sourceID)
{
    if (message == m_mark && sourceID == u"userscript:"_s + QLatin1StringView(kCommitScript))
        emit committed();
    else if (message == m_mark && sourceID == u"userscript:"_s + QLatin1StringView(kReadyScript))
        emit ready();
    else
        QWebEnginePage::javaScriptConsoleMessage(level, message, lineNumber, sourceID);
}

bool WebPage::asking() const
{
    return m_dialogs->isOpen();
}

void WebPage::leave()
{
    m_dialogs->leave();
}

void WebPage::javaScriptAlert(const QUrl &origin, const QString &text)
{
    m_dialogs->ask(PageDialogs::Alert, origin, text);
}

bool WebPage::javaScriptConfirm(const QUrl &origin, const QString &text)
{
    if (text != leaveQuestion())
        return m_dialogs->ask(PageDialogs::Confirm, origin, text).has_value();
    // A page whose boxes are silenced can still be left.
    if (!m_dialogs->shows())
        return true;
    const bool leave = m_dialogs->ask(PageDialogs::Confirm, origin, text).has_value();
    if (!leave)
        emit leaveRefused();
    return leave;
}

bool WebPage::javaScriptPrompt(const QUrl &origin, const QString &text, const QString &defaultValue,
                               QString *result)
{
    const auto answer = m_dialogs->ask(PageDialogs::Prompt, origin, text, defaultValue);
    if (answer)
        *result = *answer;
    return answer.has_value();
}

QWebEnginePage *WebPage::createWindow(WebWindowType)
{
    return new NewWindowPage(profile(), m_view, url().isLocalFile());
}

// The guard is consulted on the GUI thread for every request, so it is in place only while a
// page from disk is shown: web pages load without waiting for it.
// No script runs in a page from disk: a script there could read the files beside it through
// the frames, style sheets and scripts it may show (the engine keeps every local file one
// origin, or, set to keep them apart, shows none of them), and send them out.
bool WebPage::acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame)
{
    if (isMainFrame) {
        const bool local = url.isLocalFile();
        setUrlRequestInterceptor(local ? m_localPageGuard : nullptr);
        // Changed only when it changes: each change is sent to the page's process.
        if (settings()->testAttribute(QWebEngineSettings::JavascriptEnabled) == local)
            settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !local);
    }
    return true;
}

} // namespace platform
