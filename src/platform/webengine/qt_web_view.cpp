// The web view on Qt WebEngine: its page, what a page from disk may load, sizes in twips, and
// the reader's tools inside the pane.
#include "qt_web_view.h"

#include "find_bar.h"
#include "page_announcer.h"
#include "page_dialogs.h"
#include "platform/error.h"
#include "platform/twips.h"
#include "platform/web_address.h"
#include "runaway_guard.h"

#include <QAccessible>
#include <QAction>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineHistory>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

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
        return new NewWindowPage(profile(), m_view, url().isLocalFile());
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

// The zoom levels that Ctrl+plus and Ctrl+minus step through, as browsers have them.
constexpr qreal kZoomLevels[] = {0.25, 0.33, 0.5,  0.67, 0.75, 0.8, 0.9, 1.0, 1.1,
                                 1.25, 1.5,  1.75, 2.0,  2.5,  3.0, 4.0, 5.0};

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
        m_stop->setEnabled(true);
    });
    connect(this, &QWebEngineView::loadProgress, this, &QtWebView::showProgress);
    connect(this, &QWebEngineView::loadFinished, this, [this](bool ok) {
        m_stop->setEnabled(false);
        showProgress(100);
        // Only the load that the user's navigation started is announced, if it succeeds.
        const bool announce = std::exchange(m_announce, false);
        if (ok && announce && QAccessible::isActive()) {
            if (!m_announcer)
                m_announcer = new PageAnnouncer(barHost());
            m_announcer->announce(title());
        }
    });
    connect(page, &QWebEnginePage::linkHovered, this, &QtWebView::showLink);
    addKeys();
    // Windows open only from a user's click.
    page->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
}

QtWebView::~QtWebView()
{
    if (barHost() != this) {
        delete m_stopped;
        delete m_link;
        delete m_progress;
        delete m_findBar;
        delete m_announcer;
    }
}

void QtWebView::Navigate(const QString &address)
{
    const QUrl url = webAddressToUrl(address);
    // A page from disk is read to its end: a pipe or a device (even behind a link) never ends.
    const QFileInfo file(url.toLocalFile());
    if (url.isLocalFile() && file.exists() && !file.isFile())
        throw Error(kPathFileAccess);
    emit addressAsked();
    userGo([this, url] { load(url); });
}

void QtWebView::GoBack()
{
    if (!history()->canGoBack())
        throw Error(kOperationFailed, "There is no earlier page");
    userGo([this] { back(); });
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
    m_stopped->setGeometry(inHost(shownArea()));
    m_stopped->show();
    m_stopped->raise();
}

void QtWebView::resizeEvent(QResizeEvent *event)
{
    QWebEngineView::resizeEvent(event);
    placeBars();
}

// The browsing keys, for the page and everything in the pane. A key that a page's form field
// uses is never among them, and the engine keeps the editing keys for the field that has them.
void QtWebView::addKeys()
{
    const auto add = [this](const QList<QKeySequence> &keys, auto handler) {
        auto *action = new QAction(this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, handler);
        addAction(action);
        return action;
    };
    // The same calls as the menu's Refresh, Previous and Next, failing as silently.
    const auto quietly = [this](void (QtWebView::*call)()) {
        return [this, call] {
            try {
                (this->*call)();
            } catch (const Error &) {
            }
        };
    };
    add({Qt::Key_F5, Qt::CTRL | Qt::Key_R}, quietly(&QtWebView::Refresh));
    add({Qt::ALT | Qt::Key_Left}, quietly(&QtWebView::GoBack));
    add({Qt::ALT | Qt::Key_Right}, quietly(&QtWebView::GoForward));
    m_stop = add({Qt::Key_Escape}, [this] { stop(); });
    m_stop->setEnabled(false);
    add({QKeySequence::Find}, [this] { findBar()->open(); });
    add({Qt::Key_F3}, [this] { findBar()->step(false); });
    add({Qt::SHIFT | Qt::Key_F3}, [this] { findBar()->step(true); });
    add({QKeySequence::Print}, [this] { printPage(); });
    add({Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}, [this] { zoom(1); });
    add({Qt::CTRL | Qt::Key_Minus}, [this] { zoom(-1); });
    add({Qt::CTRL | Qt::Key_0}, [this] { setZoomFactor(1.0); });
}

void QtWebView::zoom(int steps)
{
    const qreal now = zoomFactor();
    const auto *levels = std::begin(kZoomLevels);
    const auto *end = std::end(kZoomLevels);
    const auto *next = steps > 0 ? std::upper_bound(levels, end, now + 0.001)
                                 : std::lower_bound(levels, end, now - 0.001) - 1;
    if (next >= levels && next < end)
        setZoomFactor(*next);
}

void QtWebView::printPage()
{
    // One print at a time: the engine renders it after the dialog, and the printer must stay.
    if (m_printer)
        return;
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(m_printer.get(), this);
    dialog.setWindowTitle(u"Print"_s);
    if (dialog.exec() != QDialog::Accepted) {
        m_printer.reset();
        return;
    }
    connect(
        this, &QWebEngineView::printFinished, this, [this] { m_printer.reset(); },
        Qt::SingleShotConnection);
    print(m_printer.get());
}

FindBar *QtWebView::findBar()
{
    if (!m_findBar) {
        m_findBar = new FindBar(this, barHost());
        placeBars();
    }
    return m_findBar;
}

void QtWebView::showLink(const QString &url)
{
    if (url.isEmpty()) {
        if (m_link)
            m_link->hide();
        return;
    }
    if (!m_link) {
        m_link = new QLabel(barHost());
        m_link->setObjectName(u"linkAddress"_s);
        m_link->setTextFormat(Qt::PlainText);
        m_link->setAutoFillBackground(true);
        m_link->setFrameShape(QFrame::StyledPanel);
        m_link->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_link->setFocusPolicy(Qt::NoFocus);
    }
    m_link->setText(m_link->fontMetrics().elidedText(url, Qt::ElideMiddle, width() * 2 / 3));
    m_link->adjustSize();
    placeBars();
    m_link->show();
    m_link->raise();
}

// A line along the top of the pane that grows as the page loads, gone once it has.
void QtWebView::showProgress(int percent)
{
    if (!m_progress) {
        if (percent >= 100)
            return;
        m_progress = new QWidget(barHost());
        m_progress->setObjectName(u"loadProgress"_s);
        m_progress->setAutoFillBackground(true);
        m_progress->setBackgroundRole(QPalette::Highlight);
        m_progress->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    m_progress->setVisible(percent < 100);
    m_progress->setGeometry(inHost({0, 0, width() * std::clamp(percent, 5, 100) / 100, 3}));
    m_progress->raise();
}

QRect QtWebView::shownArea() const
{
    if (!parentWidget())
        return rect();
    return rect().intersected(QRect(mapFromParent(QPoint(0, 0)), parentWidget()->size()));
}

void QtWebView::userGo(std::function<void()> navigation)
{
    m_announce = true;
    m_guard->go(std::move(navigation));
}

QWidget *QtWebView::barHost()
{
    return parentWidget() ? parentWidget() : this;
}

QRect QtWebView::inHost(const QRect &rect)
{
    return barHost() == this ? rect : rect.translated(pos());
}

void QtWebView::placeBars()
{
    const QRect area = shownArea();
    if (m_stopped)
        m_stopped->setGeometry(inHost(area));
    const int barHeight = m_findBar ? m_findBar->sizeHint().height() : 0;
    if (m_findBar)
        m_findBar->setGeometry(
            inHost({area.left(), area.bottom() + 1 - barHeight, area.width(), barHeight}));
    const int above = m_findBar && m_findBar->isVisible() ? barHeight : 0;
    if (m_link)
        m_link->setGeometry(inHost(
            {QPoint(area.left(), area.bottom() + 1 - above - m_link->height()), m_link->size()}));
}

// Every item offered does what it says. The program has one window, so a link opens here;
// the source of a page shows in the pane, Back returning to the page; a page is saved whole,
// with a folder of its parts, where the save dialog says.
void QtWebView::contextMenuEvent(QContextMenuEvent *event)
{
    const QWebEngineContextMenuRequest *request = lastContextMenuRequest();
    if (!request)
        return;
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [&](QWebEnginePage::WebAction action, const QString &text) {
        QAction *item = pageAction(action);
        item->setText(text);
        menu->addAction(item);
    };
    if (request->isContentEditable()) {
        add(QWebEnginePage::Undo, u"&Undo"_s);
        add(QWebEnginePage::Redo, u"&Redo"_s);
        menu->addSeparator();
        add(QWebEnginePage::Cut, u"Cu&t"_s);
        add(QWebEnginePage::Copy, u"&Copy"_s);
        add(QWebEnginePage::Paste, u"&Paste"_s);
        add(QWebEnginePage::SelectAll, u"Select &All"_s);
    } else if (!request->selectedText().isEmpty()) {
        add(QWebEnginePage::Copy, u"&Copy"_s);
    }
    if (request->linkUrl().isValid()) {
        if (!menu->isEmpty())
            menu->addSeparator();
        add(QWebEnginePage::OpenLinkInThisWindow, u"&Open Link"_s);
        add(QWebEnginePage::CopyLinkToClipboard, u"Copy &Link Address"_s);
        add(QWebEnginePage::DownloadLinkToDisk, u"Save Lin&k As..."_s);
    }
    if (request->mediaType() == QWebEngineContextMenuRequest::MediaTypeImage) {
        if (!menu->isEmpty())
            menu->addSeparator();
        add(QWebEnginePage::CopyImageToClipboard, u"Cop&y Image"_s);
        add(QWebEnginePage::CopyImageUrlToClipboard, u"Copy Image Addr&ess"_s);
        add(QWebEnginePage::DownloadImageToDisk, u"Sa&ve Image As..."_s);
    }
    if (menu->isEmpty()) {
        add(QWebEnginePage::Back, u"&Back"_s);
        add(QWebEnginePage::Forward, u"&Forward"_s);
        add(QWebEnginePage::Reload, u"&Reload"_s);
        menu->addSeparator();
        add(QWebEnginePage::SavePage, u"Save Page &As..."_s);
        const QUrl shown = url();
        if (shown.isValid() && shown.scheme() != u"view-source") {
            menu->addAction(u"View Page &Source"_s, this, [this, shown] {
                m_guard->go([this, shown] { load(QUrl(u"view-source:"_s + shown.toString())); });
            });
        }
    }
    menu->popup(event->globalPos());
}

} // namespace platform
