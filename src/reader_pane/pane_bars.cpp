// The widgets over the reader's pane, in one host, placed by one rule.
#include "pane_bars.h"

#include "find_bar.h"
#include "pane_rules.h"
#include "reading_view.h"

#include "platform/qt/announcer.h"

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace reader_pane {

namespace {

// The desktop's own colours and lettering, each of them, for a bar whose text is to be read at a
// glance: none comes from the grey window beneath.
void useDesktopLook(QWidget *bar)
{
    QPalette palette = QApplication::palette();
    palette.setResolveMask(~QPalette::ResolveMask(0));
    bar->setPalette(palette);
    QFont font = QApplication::font();
    font.setResolveMask(QFont::AllPropertiesResolved);
    bar->setFont(font);
}

} // namespace

PaneBars::PaneBars(QWebEngineView *view, QWidget *host)
    : QObject(view)
    , m_view(view)
    , m_host(host)
{
    view->installEventFilter(this);
    host->installEventFilter(this);
}

// The host may outlive the view.
PaneBars::~PaneBars()
{
    delete m_link;
    delete m_progress;
    delete m_stopped;
    delete m_findBar;
    delete m_announcer;
    delete m_readingView;
}

bool PaneBars::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::Show:
    case QEvent::Hide:
        place();
        break;
    case QEvent::Leave:
        if (watched == m_view)
            showLink({});
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void PaneBars::showLink(const QString &url)
{
    if (url.isEmpty()) {
        if (m_link)
            m_link->hide();
        return;
    }
    if (!m_link) {
        m_link = new QLabel(m_host);
        m_link->setObjectName(u"linkAddress"_s);
        useDesktopLook(m_link);
        m_link->setTextFormat(Qt::PlainText);
        m_link->setAutoFillBackground(true);
        m_link->setFrameShape(QFrame::StyledPanel);
        m_link->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_link->setFocusPolicy(Qt::NoFocus);
    }
    m_link->setText(
        m_link->fontMetrics().elidedText(url, Qt::ElideMiddle, m_view->width() * 2 / 3));
    m_link->adjustSize();
    place();
    m_link->show();
    m_link->raise();
}

// A line along the top of the pane that grows as the page loads, gone once it has.
void PaneBars::showProgress(int percent)
{
    m_percent = percent;
    if (!m_progress) {
        if (percent >= 100)
            return;
        m_progress = new QWidget(m_host);
        m_progress->setObjectName(u"loadProgress"_s);
        m_progress->setAutoFillBackground(true);
        m_progress->setBackgroundRole(QPalette::Highlight);
        m_progress->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    place();
    m_progress->setVisible(percent < 100);
    m_progress->raise();
}

// In place of a page whose renderer has ended, which would leave a grey area with no word; in
// the colours and lettering of the window it lies in.
void PaneBars::showStopped(bool stopped)
{
    if (!stopped) {
        if (m_stopped)
            m_stopped->hide();
        return;
    }
    if (!m_stopped) {
        m_stopped = new QLabel(u"This page stopped.\nChoose a page, or Refresh to load it again."_s,
                               m_host);
        m_stopped->setObjectName(u"pageStopped"_s);
        m_stopped->setAlignment(Qt::AlignCenter);
        m_stopped->setWordWrap(true);
        m_stopped->setAutoFillBackground(true);
    }
    place();
    m_stopped->show();
    m_stopped->raise();
}

FindBar *PaneBars::findBar()
{
    if (!m_findBar) {
        m_findBar = new FindBar(m_view, m_host, [this](const QString &text) { announce(text); });
        useDesktopLook(m_findBar);
        // The reading goes on from the match found.
        connect(m_findBar, &FindBar::closed, this, [this] {
            if (m_readingView)
                m_readingView->followSelection();
        });
        // The link's address moves above the bar while it is open.
        m_findBar->installEventFilter(this);
        place();
    }
    return m_findBar;
}

void PaneBars::announce(const QString &text)
{
    if (!m_announcer)
        m_announcer = new platform::Announcer(m_host);
    m_announcer->announce(text);
}

ReadingView *PaneBars::readingView()
{
    if (!m_readingView) {
        m_readingView = new ReadingView(m_view, m_host);
        m_readingView->stackUnder(m_view);
        // In the page's place in the tab order.
        QWidget::setTabOrder(m_view, m_readingView);
        place();
        m_readingView->show();
    }
    return m_readingView;
}

void PaneBars::place()
{
    const QRect pane(m_view->mapTo(m_host, QPoint(0, 0)), m_view->size());
    const BarRects rects =
        barRects(pane, m_host->size(), m_findBar ? m_findBar->sizeHint().height() : 0,
                 m_findBar && m_findBar->isVisible(), m_link ? m_link->size() : QSize(), m_percent);
    if (m_stopped)
        m_stopped->setGeometry(rects.notice);
    if (m_readingView)
        m_readingView->setGeometry(rects.notice);
    if (m_findBar)
        m_findBar->setGeometry(rects.findBar);
    if (m_link)
        m_link->setGeometry(rects.link);
    if (m_progress)
        m_progress->setGeometry(rects.progress);
}

} // namespace reader_pane
