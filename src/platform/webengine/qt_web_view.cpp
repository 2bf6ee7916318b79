// The web view on Qt WebEngine: the user's navigations, its history and its size in twips.
#include "qt_web_view.h"

#include "platform/error.h"
#include "platform/twips.h"
#include "platform/web_address.h"
#include "runaway_guard.h"
#include "web_page.h"

#include <QApplication>
#include <QChildEvent>
#include <QFileInfo>
#include <QPointer>
#include <QWebEngineHistory>

#include <utility>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

int checkedPixels(float twips)
{
    if (!(twips >= 0.0f))
        throw Error(kInvalidPropertyValue);
    return toPixels(twips);
}

// The page whose source this address shows, or nothing.
QUrl sourceOf(const QUrl &url)
{
    return url.scheme() == u"view-source" ? QUrl(url.path(QUrl::FullyEncoded)) : QUrl();
}

} // namespace

QtWebView::QtWebView(QWidget *parent)
    : QWebEngineView(parent)
    , m_events(new PageEvents(this))
{
    // A place in the tab order of its own, which the window can give it before the engine's
    // widget (made later, and anew) takes the keyboard for it, and which that widget keeps.
    setFocusPolicy(Qt::StrongFocus);
    // The engine's widgets, those made already and those to come.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->installEventFilter(this);
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *old, QWidget *) { keepKeyboard(old); });
    auto *page = m_page = new WebPage(this);
    setPage(page);
    // Told before the guard, which sends a waiting navigation on at once.
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            [this](QWebEnginePage::RenderProcessTerminationStatus status) {
                if (status != QWebEnginePage::NormalTerminationStatus && !m_guard->waiting())
                    emit pageStopped();
            });
    m_guard = new RunawayGuard(page, [page] { return page->asking(); });
    connect(page, &WebPage::committed, m_guard, &RunawayGuard::standDown);
    connect(page, &WebPage::committed, m_events, &PageEvents::pageCommitted);
    connect(page, &WebPage::ready, m_events, &PageEvents::pageReady);
    connect(page, &WebPage::leaveRefused, m_guard, &RunawayGuard::standDown);
}

void QtWebView::Navigate(const QString &address)
{
    const QUrl url = webAddressToUrl(address);
    // A page from disk is read to its end: a pipe or a device (even behind a link) never ends.
    const QFileInfo file(url.toLocalFile());
    if (url.isLocalFile() && file.exists() && !file.isFile())
        throw Error(kPathFileAccess);
    emit m_events->userActed();
    userGo([this, url] { load(url); });
}

// The engine puts a page's source in the page's own history entry: back from the source is the
// page, loaded again.
void QtWebView::GoBack()
{
    if (!canGoBack())
        throw Error(kOperationFailed, "There is no earlier page");
    if (const QUrl page = sourceOf(url()); page.isValid())
        return userGo([this, page] { load(page); });
    userGo([this] { back(); });
}

bool QtWebView::canGoBack() const
{
    return sourceOf(url()).isValid() || history()->canGoBack();
}

void QtWebView::GoForward()
{
    if (!history()->canGoForward())
        throw Error(kOperationFailed, "There is no later page");
    userGo([this] { forward(); });
}

void QtWebView::Refresh()
{
    if (url().isEmpty())
        throw Error(kOperationFailed, "There is no page to reload");
    userGo([this] { reload(); });
}

void QtWebView::setWidth(float twips)
{
    resize(checkedPixels(twips), height());
}

void QtWebView::setHeight(float twips)
{
    resize(width(), checkedPixels(twips));
}

bool QtWebView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == this) {
        if (event->type() == QEvent::ChildAdded) {
            if (QObject *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
                child->installEventFilter(this);
        }
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::TouchBegin:
        if (event->spontaneous())
            emit m_events->userActed();
        break;
    case QEvent::FocusIn:
        emit m_events->keyboardTaken();
        return !m_pageTakesKeyboard;
    case QEvent::Show:
        // The engine gives its widget a policy of its own as it makes it.
        if (!m_pageTakesKeyboard)
            static_cast<QWidget *>(watched)->setFocusPolicy(Qt::NoFocus);
        break;
    default:
        break;
    }
    return false;
}

void QtWebView::setPageTakesKeyboard(bool takes)
{
    if (std::exchange(m_pageTakesKeyboard, takes) == takes)
        return;
    for (QWidget *child : findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        child->setFocusPolicy(takes ? Qt::StrongFocus : Qt::NoFocus);
}

// The engine hides or deletes the widget that showed the page before: the keyboard, which
// would leave the view with it, stays. The user's moving it elsewhere leaves the widget it was
// in showing.
void QtWebView::keepKeyboard(QWidget *left)
{
    if (!left || left == this || !isAncestorOf(left))
        return;
    QMetaObject::invokeMethod(
        this,
        [this, left = QPointer<QWidget>(left)] {
            if ((!left || left->isHidden()) && isVisible())
                setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

// A box the page left open would hold the navigation: it closes.
void QtWebView::userGo(std::function<void()> navigation)
{
    m_page->leave();
    m_guard->go(std::move(navigation));
}

} // namespace platform
