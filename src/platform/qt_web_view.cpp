// Zel Tidewell — a small desktop news reader.
#include "qt_web_view.h"

#include "error.h"
#include "twips.h"
#include "web_address.h"

#include <QWebEngineHistory>

namespace platform {

namespace {

int checkedPixels(float twips)
{
    if (!(twips >= 0.0f))
        throw Error(kInvalidPropertyValue, "Invalid property value");
    return toPixels(twips);
}

} // namespace

QtWebView::QtWebView(QWidget *parent)
    : QWebEngineView(parent)
{}

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

QWebEngineView *QtWebView::createWindow(QWebEnginePage::WebWindowType)
{
    return this;
}

} // namespace platform
