// The page's text, for a screen reader: taken from the page in a world of the program's own.
#include "reading_view.h"

#include <QPointer>
#include <QWebEngineScript>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace reader_pane {

namespace {

// The page's blocks of text in order, each as its tag and its text as shown; a block inside
// another is read with it. A million characters at most: a page cannot hold the program up
// with its size.
constexpr auto kBlocks = uR"(
(() => {
  const blocks = 'h1,h2,h3,h4,h5,h6,p,li,dt,dd,blockquote,pre,figcaption,td,th';
  let left = 1000000;
  return Array.from(document.querySelectorAll(blocks))
    .filter(e => !e.parentElement.closest(blocks) && e.getClientRects().length > 0)
    .map(e => [e.tagName.toLowerCase(), e.innerText.replace(/\s+/g, ' ').trim()])
    .filter(([, text]) => text && (left -= text.length) >= 0);
})()
)";

} // namespace

ReadingView::ReadingView(QWebEngineView *view, QWidget *parent)
    : QTextBrowser(parent)
    , m_view(view)
{
    setObjectName(u"readingView"_s);
    setAccessibleName(u"Page text"_s);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QTextEdit::NoWrap);
    setTabChangesFocus(true);
    setOpenLinks(false);
    setFocusPolicy(Qt::ClickFocus);
    // The page's keys work here as in the page.
    addActions(view->actions());
}

void ReadingView::read(bool keyboard)
{
    const quint64 asked = ++m_asked;
    const QPointer<ReadingView> self(this);
    m_view->page()->runJavaScript(
        QString::fromUtf16(kBlocks), QWebEngineScript::ApplicationWorld,
        [self, asked, keyboard](const QVariant &result) {
            if (!self || self->m_asked != asked)
                return;
            QString html;
            for (const QVariant &block : result.toList()) {
                const QStringList parts = block.toStringList();
                if (parts.size() != 2)
                    continue;
                const bool heading = parts[0].size() == 2 && parts[0][0] == u'h' &&
                                     parts[0][1] >= u'1' && parts[0][1] <= u'6';
                const QString tag = heading ? parts[0] : u"p"_s;
                html += u'<' + tag + u'>' + parts[1].toHtmlEscaped() + u"</"_s + tag + u'>';
            }
            self->setHtml(html);
            self->moveCursor(QTextCursor::Start);
            if (keyboard)
                self->setFocus(Qt::OtherFocusReason);
        });
}

} // namespace reader_pane
