// Zel Tidewell — a small desktop news reader.
#include "qt_web_view.h"

#include "error.h"
#include "twips.h"
#include "web_address.h"

#include <QWebEngineHistory>

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

class Page final : public QWebEnginePage
{
public:
    explicit Page(QWebEngineView *view)
        : QWebEnginePage(view)
        , m_view(view)
    {}

protected:
    QWebEnginePage *createWindow(WebWindowType) override
    {
        return new NewWindowPage(profile(), m_view);
    }

private:
    QWebEngineView *m_view;
};

int checkedPixels(float twips)
{
    if (!(twips >= 0.0f))
        throw Error(kInvalidPropertyValue, "Invalid property value");
    return toPixels(twips);
}

} // namespace

QtWebView::QtWebView(QWidget *parent)
    : QWebEngineView(parent)
{
    setPage(new Page(this));
}

void QtWebView::Navigate(const QString &address)
{
    load(webAddressToUrl(address));
}

void QtWebView::GoBack()
{
    if (!history()->canGoBack())
        throw Error(kOperationFailed, "There is no earlier page");
    back();
}

void QtWebView::GoForward()
{
    if (!history()->canGoForward())
        throw Error(kOperationFailed, "There is no later page");
    forward();
}

void QtWebView::Refresh()
{
    if (url().isEmpty())
        throw Error(kOperationFailed, "There is no page to reload");
    reload();
}

void QtWebView::setWidth(float twips)
{
    resize(checkedPixels(twips), height());
}

void QtWebView::setHeight(float twips)
{
    resize(width(), checkedPixels(twips));
}

} // namespace platform
