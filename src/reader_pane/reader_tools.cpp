// The reader's features over the web view.
#include "reader_tools.h"

#include "find_bar.h"
#include "pane_bars.h"
#include "pane_rules.h"
#include "reading_view.h"

#include "downloads/download_names.h"
#include "platform/page_events.h"
#include "platform/resume_next.h"
#include "platform/webengine/qt_web_view.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineHistory>

using namespace Qt::StringLiterals;
using platform::QtWebView;

namespace reader_pane {

namespace {

// The same calls as the menu's Refresh, Previous and Next, failing as silently.
auto quietly(QtWebView *view, void (QtWebView::*call)())
{
    return [view, call] { platform::resumeNext([&] { (view->*call)(); }); };
}

} // namespace

ReaderTools::ReaderTools(QtWebView *view, QWidget *host)
    : QObject(view)
    , m_view(view)
    , m_bars(new PaneBars(view, host))
{
    connect(view, &QWebEngineView::loadStarted, this, [this] {
        m_bars->showStopped(false);
        // A new page sends no word of the mouse leaving the link it was on.
        m_bars->showLink({});
        m_stop->setEnabled(true);
    });
    connect(view, &QWebEngineView::loadProgress, this,
            [this](int percent) { m_bars->showProgress(percent); });
    connect(view, &QWebEngineView::loadFinished, this, [this] {
        m_stop->setEnabled(false);
        m_bars->showProgress(100);
        // A page that runs no script (one from disk) tells of no commit: read as it ends.
        if (m_view->url() != m_readAddress)
            m_read = false;
        readPage();
    });
    connect(view, &QtWebView::pageStopped, this, [this] { m_bars->showStopped(true); });
    const platform::PageEvents *events = view->events();
    connect(events, &platform::PageEvents::pageCommitted, this, &ReaderTools::newPage);
    connect(events, &platform::PageEvents::pageReady, this, &ReaderTools::readPage);
    // Wherever the keyboard goes into the page, or the user clicks in it, it goes on to its text.
    const auto toText = [this] {
        if (!QAccessible::isActive())
            return;
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (QWidget *focus = QApplication::focusWidget();
                    !focus || focus == m_view || m_view->isAncestorOf(focus))
                    text()->setFocus(Qt::OtherFocusReason);
            },
            Qt::QueuedConnection);
    };
    connect(events, &platform::PageEvents::keyboardTaken, this, toText);
    connect(events, &platform::PageEvents::userActed, this, toText);
    connect(view->page(), &QWebEnginePage::linkHovered, this,
            [this](const QString &url) { m_bars->showLink(url); });
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this, &ReaderTools::showContextMenu);
    addKeys();
}

ReaderTools::~ReaderTools() = default;

// While a screen reader runs, a new page's text takes the place of the page before's at once,
// saying that it is loading.
void ReaderTools::newPage()
{
    m_read = false;
    if (QAccessible::isActive())
        text()->showLoading();
}

// Read once a page, as soon as its text is there: announced by its title and read from its top,
// with the keyboard in it if the keyboard is in the pane.
void ReaderTools::readPage()
{
    if (m_read || !QAccessible::isActive())
        return;
    m_read = true;
    m_readAddress = m_view->url();
    text()->read([this] {
        m_bars->announce(
            pageAnnouncement(m_view->title(), text()->document()->firstBlock().text()));
        if (holdsKeyboard())
            text()->setFocus(Qt::OtherFocusReason);
    });
}

// Made once a screen reader runs: from then on the page's text is the page's place for the
// keyboard, which the engine's own pane (that a screen reader cannot read) takes no more.
ReadingView *ReaderTools::text()
{
    m_view->setPageTakesKeyboard(false);
    ReadingView *text = m_bars->readingView();
    connect(text, &ReadingView::linkChosen, this, &ReaderTools::follow, Qt::UniqueConnection);
    connect(text, &ReadingView::told, this, &ReaderTools::say, Qt::UniqueConnection);
    return text;
}

// A link chosen in the page's text is followed as a click follows it: in the view.
void ReaderTools::follow(const QString &address)
{
    platform::resumeNext([&] { m_view->Navigate(address); });
}

void ReaderTools::say(const QString &text)
{
    m_bars->announce(text);
}

bool ReaderTools::holdsKeyboard() const
{
    const QWidget *focus = QApplication::focusWidget();
    return focus && (focus == m_view || m_view->isAncestorOf(focus) ||
                     dynamic_cast<const ReadingView *>(focus));
}

// The browsing keys, for the page and everything in the pane. A key that a page's form field
// uses is never among them, and the engine keeps the editing keys for the field that has them.
void ReaderTools::addKeys()
{
    const auto add = [this](const QList<QKeySequence> &keys, auto handler) {
        auto *action = new QAction(m_view);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(action, &QAction::triggered, this, handler);
        m_view->addAction(action);
        return action;
    };
    add({Qt::Key_F5, Qt::CTRL | Qt::Key_R}, quietly(m_view, &QtWebView::Refresh));
    add({Qt::ALT | Qt::Key_Left}, quietly(m_view, &QtWebView::GoBack));
    add({Qt::ALT | Qt::Key_Right}, quietly(m_view, &QtWebView::GoForward));
    m_stop = add({Qt::Key_Escape}, [this] { m_view->stop(); });
    m_stop->setEnabled(false);
    add({QKeySequence::Find}, [this] { m_bars->findBar()->open(); });
    add({Qt::Key_F3}, [this] { m_bars->findBar()->step(false); });
    add({Qt::SHIFT | Qt::Key_F3}, [this] { m_bars->findBar()->step(true); });
    add({QKeySequence::Print}, [this] { print(); });
    add({Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}, [this] { zoom(true); });
    add({Qt::CTRL | Qt::Key_Minus}, [this] { zoom(false); });
    add({Qt::CTRL | Qt::Key_0}, [this] { m_view->setZoomFactor(1.0); });
}

void ReaderTools::zoom(bool in)
{
    if (const auto level = zoomStep(m_view->zoomFactor(), in))
        m_view->setZoomFactor(*level);
}

// To a printer as the engine draws it; to a file (Print to File) as a PDF the engine writes,
// with the page's text as text, named after the page.
void ReaderTools::print()
{
    if (m_printer)
        return;
    m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QString title = m_view->title();
    m_printer->setDocName(downloads::plainFileName(title.isEmpty() ? u"page"_s : title) +
                          u".pdf"_s);
    QPrintDialog dialog(m_printer.get(), m_view);
    dialog.setWindowTitle(u"Print"_s);
    if (dialog.exec() != QDialog::Accepted) {
        m_printer.reset();
        return;
    }
    if (m_printer->outputFormat() == QPrinter::PdfFormat) {
        connect(
            m_view->page(), &QWebEnginePage::pdfPrintingFinished, this,
            [this] { m_printer.reset(); }, Qt::SingleShotConnection);
        m_view->page()->printToPdf(m_printer->outputFileName(), m_printer->pageLayout(),
                                   m_printer->pageRanges());
        return;
    }
    connect(
        m_view, &QWebEngineView::printFinished, this, [this] { m_printer.reset(); },
        Qt::SingleShotConnection);
    m_view->print(m_printer.get());
}

// Every item offered does what it says. The program has one window, so a link opens here;
// the source of a page shows in the pane, Back returning to the page; a page is saved whole,
// with a folder of its parts, where the save dialog says.
void ReaderTools::showContextMenu(const QPoint &at)
{
    const QWebEngineContextMenuRequest *request = m_view->lastContextMenuRequest();
    if (!request)
        return;
    auto *menu = new QMenu(m_view);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    const auto add = [&](QWebEnginePage::WebAction action, const QString &text) {
        QAction *item = m_view->pageAction(action);
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
        // Through the view, as the keys go: past a page that does not answer, and back from a
        // page's source to the page.
        const auto go = [&](const QString &text, bool enabled, void (QtWebView::*call)()) {
            menu->addAction(text, this, quietly(m_view, call))->setEnabled(enabled);
        };
        go(u"&Back"_s, m_view->canGoBack(), &QtWebView::GoBack);
        go(u"&Forward"_s, m_view->history()->canGoForward(), &QtWebView::GoForward);
        go(u"&Reload"_s, !m_view->url().isEmpty(), &QtWebView::Refresh);
        menu->addSeparator();
        add(QWebEnginePage::SavePage, u"Save Page &As..."_s);
        const QUrl shown = m_view->url();
        if (shown.isValid() && shown.scheme() != u"view-source") {
            menu->addAction(u"View Page &Source"_s, this, [this, shown] {
                platform::resumeNext([&] {
                    m_view->Navigate(u"view-source:"_s + shown.toString(QUrl::FullyEncoded));
                });
            });
        }
    }
    menu->popup(m_view->mapToGlobal(at));
}

} // namespace reader_pane
