// The web view on Qt WebEngine: its page, what a page from disk may load, sizes in twips.
#include "qt_web_view.h"

#include "page_dialogs.h"
#include "platform/error.h"
#include "platform/twips.h"
#include "platform/web_address.h"
#include "runaway_guard.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QWebEngineHistory>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// A page that the engine asks for in place of a new window: its first navigation goes to the
// view instead, so the new page lands in the view's own history.
class NewWindowPage final : public QWebEnginePage
{
public:
    NewWindowPage(QWebEngineProfile *profile, QWebEngineView *view)
        : QWebEnginePage(profile, view)
        , m_view(view)
    {}

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        if (!isMainFrame)
            return false;
        m_view->load(url);
        deleteLater();
        return false;
    }

private:
    QWebEngineView *m_view;
};

// A page opened from disk shows the files saved beside it (its folder and the folders below),
// and nothing else: no other local file, no network. Following a link is still allowed. (It
// runs no script either: see Page::acceptNavigationRequest.)
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
        const bool besidePage =
            url.isLocalFile() && QDir::cleanPath(url.toLocalFile()).startsWith(folder);
        if (!besidePage)
            info.block(true);
    }
};

class Page final : public QWebEnginePage
{
public:
    explicit Page(QWebEngineView *view)
        : QWebEnginePage(view)
        , m_view(view)
        , m_localPageGuard(new LocalPageGuard(this))
        , m_dialogs(new PageDialogs(view))
    {}

    // Whether one of the page's boxes waits for the user's answer.
    bool asking() const { return m_dialogs->isOpen(); }

protected:
    void javaScriptAlert(const QUrl &origin, const QString &text) override
    {
        m_dialogs->ask(PageDialogs::Alert, origin, text);
    }
    bool javaScriptConfirm(const QUrl &origin, const QString &text) override
    {
        return m_dialogs->ask(PageDialogs::Confirm, origin, text).has_value();
    }
    bool javaScriptPrompt(const QUrl &origin, const QString &text, const QString &defaultValue,
                          QString *result) override
    {
        const auto answer = m_dialogs->ask(PageDialogs::Prompt, origin, text, defaultValue);
        if (answer)
            *result = *answer;
        return answer.has_value();
    }

    QWebEnginePage *createWindow(WebWindowType) override
    {
        return new NewWindowPage(profile(), m_view);
    }

    // The guard is consulted on the GUI thread for every request, so it is in place only while
    // a page from disk is shown: web pages load without waiting for it.
    // No script runs in a page from disk: a script there could read the files beside it
    // through the frames, style sheets and scripts it may show (the engine keeps every local
    // file one origin, or, set to keep them apart, shows none of them), and send them out.
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override
    {
        if (isMainFrame) {
            m_dialogs->pageChanged();
            const bool local = url.isLocalFile();
            setUrlRequestInterceptor(local ? m_localPageGuard : nullptr);
            // Changed only when it changes: each change is sent to the page's process.
            if (settings()->testAttribute(QWebEngineSettings::JavascriptEnabled) == local)
                settings()->setAttribute(QWebEngineSettings::JavascriptEnabled, !local);
        }
        return true;
    }

private:
    QWebEngineView *m_view;
    LocalPageGuard *m_localPageGuard;
    PageDialogs *m_dialogs;
};

int checkedPixels(float twips)
{
    if (!(twips >= 0.0f))
        throw Error(kInvalidPropertyValue);
    return toPixels(twips);
}

} // namespace

QtWebView::QtWebView(QWidget *parent)
    : QWebEngineView(parent)
{
    auto *page = new Page(this);
    setPage(page);
    // Told before the guard, which sends a waiting navigation on at once.
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus && !m_guard->waiting())
                    showStopped();
            });
    m_guard = new RunawayGuard(page, [page] { return page->asking(); });
    connect(this, &QWebEngineView::loadStarted, this, [this] {
        if (m_stopped)
            m_stopped->hide();
    });
    // Windows open only from a user's click.
    page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
}

void QtWebView::Navigate(const QString &address)
{
    const QUrl url = webAddressToUrl(address);
    // A page from disk is read to its end: a pipe or a device (even behind a link) never ends.
    const QFileInfo file(url.toLocalFile());
    if (url.isLocalFile() && file.exists() && !file.isFile())
        throw Error(kPathFileAccess);
    emit addressAsked();
    m_guard->go([this, url] { load(url); });
}

void QtWebView::GoBack()
{
    if (!history()->canGoBack())
        throw Error(kOperationFailed, "There is no earlier page");
    m_guard->go([this] { back(); });
}

void QtWebView::GoForward()
{
    if (!history()->canGoForward())
        throw Error(kOperationFailed, "There is no later page");
    m_guard->go([this] { forward(); });
}

void QtWebView::Refresh()
{
    if (url().isEmpty())
        throw Error(kOperationFailed, "There is no page to reload");
    m_guard->go([this] { reload(); });
}

void QtWebView::setWidth(float twips)
{
    resize(checkedPixels(twips), height());
}

void QtWebView::setHeight(float twips)
{
    resize(width(), checkedPixels(twips));
}

// In place of a page whose renderer has ended (killed, or out of memory), which would leave a
// grey area with no word, in the main window's colours and lettering.
void QtWebView::showStopped()
{
    if (!m_stopped) {
        m_stopped =
            new QLabel(u"This page stopped.\nChoose a page, or Refresh to load it again."_s, this);
        m_stopped->setObjectName(u"pageStopped"_s);
        m_stopped->setAlignment(Qt::AlignCenter);
        m_stopped->setWordWrap(true);
        m_stopped->setAutoFillBackground(true);
        QPalette palette = m_stopped->palette();
        palette.setColor(QPalette::Window, QColor(128, 128, 128));
        palette.setColor(QPalette::WindowText, QColor(224, 224, 224));
        m_stopped->setPalette(palette);
        QFont font(u"Times New Roman"_s);
        font.setPointSizeF(15.75);
        m_stopped->setFont(font);
    }
    m_stopped->setGeometry(rect());
    m_stopped->show();
    m_stopped->raise();
}

void QtWebView::resizeEvent(QResizeEvent *event)
{
    QWebEngineView::resizeEvent(event);
    if (m_stopped)
        m_stopped->setGeometry(rect());
}

} // namespace platform
