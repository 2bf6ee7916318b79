// The page's text, for a screen reader: taken from the page in a world of the program's own.
#include "reading_view.h"

#include "pane_rules.h"

#include <QKeyEvent>
#include <QPointer>
#include <QTextBlock>
#include <QWebEngineScript>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace reader_pane {

namespace {

// The page's blocks in order, as readingLine() takes them; the elements they come from are
// kept in the script's own world, to scroll to and to find a selection in. At most so many
// blocks and characters: a page cannot hold the program up with its size. An element the
// script cannot read (of another namespace, say) is left out, never the page.
constexpr auto kRead = uR"(
(() => {
  const mostBlocks = 5000, mostCharacters = 500000;
  const blocks = [], elements = [];
  let characters = 0;
  const full = () => blocks.length >= mostBlocks || characters >= mostCharacters;
  const shown = e => e.getClientRects().length > 0;
  const squeeze = s => s.replace(/\s+/g, ' ');
  const plain = e => squeeze(typeof e.innerText === 'string' ? e.innerText : '').trim();
  const skipped = new Set(['script', 'style', 'noscript', 'template', 'head']);
  // An element's text with its links, as [start, length, address] in it.
  const inline = root => {
    let text = '';
    const links = [];
    const add = s => {
      s = squeeze(s);
      text += text.endsWith(' ') && s.startsWith(' ') ? s.slice(1) : s;
    };
    const walk = node => {
      for (const n of node.childNodes) {
        if (n.nodeType === Node.TEXT_NODE) {
          add(n.data);
        } else if (n instanceof HTMLElement && !skipped.has(n.localName) &&
                   n.localName !== 'select' && shown(n)) {
          if (n.localName === 'br') {
            add(' ');
          } else if (n.localName === 'a' && n.href) {
            const label = plain(n);
            if (label) {
              links.push([text.length, label.length, n.href]);
              text += label;
            }
          } else {
            walk(n);
          }
        }
      }
    };
    walk(root);
    const lead = text.length - text.trimStart().length;
    text = text.trim();
    return {text, links: links.map(([s, l, a]) => [s - lead, l, a])
                              .filter(([s, l]) => s >= 0 && s + l <= text.length)};
  };
  const push = (element, block) => {
    if (full()) return;
    characters += JSON.stringify(block).length;
    block.element = elements.length;
    elements.push(element);
    blocks.push(block);
  };
  const field = e => {
    const type = (e.getAttribute('type') || '').toLowerCase();
    const label = (e.labels && e.labels.length ? plain(e.labels[0]) : '') ||
                  e.getAttribute('aria-label') || e.getAttribute('placeholder') || '';
    if (e.localName === 'select') {
      const chosen = Array.from(e.selectedOptions || []).map(o => squeeze(o.text).trim());
      return {kind: 'field', text: label, role: 'combo box', value: chosen.join(', ')};
    }
    if (e.localName === 'button' || ['button', 'submit', 'reset'].includes(type))
      return {kind: 'field', text: e.localName === 'button' ? plain(e) : e.value, role: 'button'};
    if (type === 'checkbox' || type === 'radio')
      return {kind: 'field', text: label, role: type === 'radio' ? 'radio button' : 'check box',
              checked: e.checked};
    // A password's value is not read out.
    return {kind: 'field', text: label, role: type === 'password' ? 'password edit' : 'edit',
            value: type === 'password' ? '' : e.value};
  };
  const table = t => {
    const rows = Array.from(t.rows).filter(shown);
    const columns = Math.max(0, ...rows.map(r => r.cells.length));
    push(t, {kind: 'table', text: t.caption ? plain(t.caption) : '', rows: rows.length,
             columns});
    const headRow = rows.find(r => r.cells.length &&
                              Array.from(r.cells).every(c => c.localName === 'th'));
    const heads = headRow ? Array.from(headRow.cells).map(plain) : [];
    for (const r of rows)
      push(r, {kind: 'row', cells: Array.from(r.cells).map(inline),
               heads: r === headRow ? [] : heads});
  };
  const visit = parent => {
    for (const e of parent.children) {
      if (full()) return;
      try {
        if (!(e instanceof HTMLElement) || skipped.has(e.localName) || !shown(e)) continue;
        const name = e.localName;
        if (/^h[1-6]$/.test(name)) {
          push(e, Object.assign({kind: 'heading', level: Number(name[1])}, inline(e)));
        } else if (name === 'ul' || name === 'ol') {
          const items = Array.from(e.children).filter(i => i.localName === 'li' && shown(i));
          if (!items.length) continue;
          push(e, {kind: 'list', count: items.length, ordered: name === 'ol'});
          items.forEach((item, n) => push(item, Object.assign(
              {kind: 'item', mark: name === 'ol' ? (n + 1) + '.' : '\u2022'}, inline(item))));
        } else if (name === 'table') {
          table(e);
        } else if (['input', 'select', 'textarea', 'button'].includes(name)) {
          if ((e.getAttribute('type') || '').toLowerCase() !== 'hidden') push(e, field(e));
        } else if (name !== 'label' && (['p', 'dt', 'dd', 'blockquote', 'pre', 'figcaption',
                                         'address', 'li'].includes(name) ||
                                        Array.from(e.childNodes).some(n =>
                                          n.nodeType === Node.TEXT_NODE && n.data.trim()))) {
          const block = Object.assign({kind: 'text'}, inline(e));
          if (block.text) push(e, block);
        } else {
          visit(e);
        }
      } catch (error) {
      }
    }
  };
  if (document.body) visit(document.body);
  window.zelReading = elements;
  return blocks;
})()
)";

// Where each line keeps what it is and the part of the page it comes from.
constexpr int kKindProperty = QTextFormat::UserProperty;
constexpr int kLevelProperty = QTextFormat::UserProperty + 1;
constexpr int kElementProperty = QTextFormat::UserProperty + 2;

QString kindOf(const QTextBlock &line)
{
    return line.blockFormat().property(kKindProperty).toString();
}

// The address of the link whose character follows the position, if any.
QString linkAfter(QTextDocument *text, int position)
{
    QTextCursor probe(text);
    probe.setPosition(std::min(position + 1, text->characterCount() - 1));
    return probe.charFormat().isAnchor() ? probe.charFormat().anchorHref() : QString();
}

} // namespace

ReadingView::ReadingView(QWebEngineView *view, QWidget *parent)
    : QTextEdit(parent)
    , m_view(view)
{
    setObjectName(u"readingView"_s);
    setAccessibleName(u"Page text"_s);
    setReadOnly(true);
    setUndoRedoEnabled(false);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QTextEdit::NoWrap);
    setTabChangesFocus(true);
    setFocusPolicy(Qt::StrongFocus);
    // The page's keys work here as in the page.
    addActions(view->actions());
    connect(this, &QTextEdit::cursorPositionChanged, this, &ReadingView::showLineInPage);
}

void ReadingView::read(std::function<void()> done)
{
    const quint64 asked = ++m_asked;
    const QPointer<ReadingView> self(this);
    m_view->page()->runJavaScript(QString::fromUtf16(kRead), QWebEngineScript::ApplicationWorld,
                                  [self, asked, done](const QVariant &result) {
                                      if (!self || self->m_asked != asked)
                                          return;
                                      self->fill(result.toList());
                                      if (done)
                                          done();
                                  });
}

void ReadingView::showLoading()
{
    ++m_asked;
    setPlainText(u"The page is loading."_s);
    m_shownLine = -1;
}

// One line a block, made in one edit: the text is laid out once.
void ReadingView::fill(const QVariantList &blocks)
{
    QTextDocument *text = document();
    text->clear();
    QTextCursor at(text);
    at.beginEditBlock();
    QTextCharFormat link;
    link.setAnchor(true);
    link.setFontUnderline(true);
    bool first = true;
    for (const QVariant &item : blocks) {
        const QVariantMap block = item.toMap();
        const ReadingLine line = readingLine(block);
        if (line.text.isEmpty())
            continue;
        QTextBlockFormat format;
        format.setProperty(kKindProperty, block.value(u"kind"_s));
        format.setProperty(kLevelProperty, block.value(u"level"_s));
        format.setProperty(kElementProperty, block.value(u"element"_s));
        if (first)
            at.setBlockFormat(format);
        else
            at.insertBlock(format, QTextCharFormat());
        first = false;
        qsizetype from = 0;
        for (const ReadingLink &part : line.links) {
            at.insertText(line.text.mid(from, part.start - from), QTextCharFormat());
            link.setAnchorHref(part.address);
            at.insertText(line.text.mid(part.start, part.length), link);
            from = part.start + part.length;
        }
        at.insertText(line.text.mid(from), QTextCharFormat());
    }
    at.endEditBlock();
    m_shownLine = -1;
    moveCursor(QTextCursor::Start);
}

void ReadingView::keyPressEvent(QKeyEvent *event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool back = modifiers == Qt::ShiftModifier;
    if (modifiers != Qt::NoModifier && !back)
        return QTextEdit::keyPressEvent(event);
    const auto kind = [](const QString &wanted) {
        return [wanted](const QTextBlock &line) { return kindOf(line) == wanted; };
    };
    const int key = event->key();
    switch (key) {
    case Qt::Key_H:
        tell(moveToLine(!back, kind(u"heading"_s)), u"headings"_s);
        return;
    case Qt::Key_L:
        tell(moveToLine(!back, kind(u"list"_s)), u"lists"_s);
        return;
    case Qt::Key_T:
        tell(moveToLine(!back, kind(u"table"_s)), u"tables"_s);
        return;
    case Qt::Key_K:
        tell(moveToLink(!back), u"links"_s);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        const int at = textCursor().position();
        QString link = linkAfter(document(), at);
        if (link.isEmpty() && at > 0)
            link = linkAfter(document(), at - 1);
        if (!link.isEmpty() && !back)
            emit linkChosen(link);
        return;
    }
    default:
        break;
    }
    if (key >= Qt::Key_1 && key <= Qt::Key_6 && !back) {
        const int level = key - Qt::Key_0;
        tell(moveToLine(true,
                        [level](const QTextBlock &line) {
                            return kindOf(line) == u"heading" &&
                                   line.blockFormat().property(kLevelProperty).toInt() == level;
                        }),
             u"headings at level "_s + QString::number(level));
        return;
    }
    QTextEdit::keyPressEvent(event);
}

// Says the line moved to, from the caret on (a link's words, where it stands on one), or that
// there are no more of what was looked for, as browsers' screen readers say it.
void ReadingView::tell(bool moved, const QString &what)
{
    if (!moved) {
        emit told(u"No more "_s + what + u'.');
        return;
    }
    const QTextCursor at = textCursor();
    for (auto part = at.block().begin(); !part.atEnd(); ++part) {
        if (const QTextFragment link = part.fragment();
            link.position() == at.position() && link.charFormat().isAnchor()) {
            emit told(link.text() + u" link"_s);
            return;
        }
    }
    emit told(at.block().text());
}

// To the start of the next (or the one before) of the lines wanted; none past the ends.
bool ReadingView::moveToLine(bool forward, const std::function<bool(const QTextBlock &)> &wanted)
{
    const QTextBlock here = textCursor().block();
    for (QTextBlock line = forward ? here.next() : here.previous(); line.isValid();
         line = forward ? line.next() : line.previous()) {
        if (wanted(line)) {
            QTextCursor at(line);
            setTextCursor(at);
            return true;
        }
    }
    return false;
}

// To the start of the next link (or the one before), across lines.
bool ReadingView::moveToLink(bool forward)
{
    const int caret = textCursor().position();
    int target = -1;
    for (QTextBlock line = document()->begin(); line.isValid(); line = line.next()) {
        for (auto part = line.begin(); !part.atEnd(); ++part) {
            const QTextFragment link = part.fragment();
            if (!link.charFormat().isAnchor())
                continue;
            if (forward && link.position() > caret) {
                target = link.position();
                break;
            }
            if (!forward && link.position() + link.length() <= caret)
                target = link.position();
        }
        if (forward && target >= 0)
            break;
    }
    if (target < 0)
        return false;
    QTextCursor at(document());
    at.setPosition(target);
    setTextCursor(at);
    return true;
}

// The part of the page the line comes from, scrolled into view for a reader who also looks.
void ReadingView::showLineInPage()
{
    const QTextBlock line = textCursor().block();
    if (line.blockNumber() == m_shownLine)
        return;
    m_shownLine = line.blockNumber();
    const QVariant element = line.blockFormat().property(kElementProperty);
    if (!element.isValid())
        return;
    m_view->page()->runJavaScript(
        u"(window.zelReading || [])[%1]?.scrollIntoView({block: 'nearest'})"_s.arg(element.toInt()),
        QWebEngineScript::ApplicationWorld);
}

void ReadingView::followSelection()
{
    const quint64 asked = m_asked;
    const QPointer<ReadingView> self(this);
    m_view->page()->runJavaScript(
        uR"((() => {
  const lines = window.zelReading || [];
  let e = getSelection().anchorNode;
  if (e && e.nodeType !== Node.ELEMENT_NODE) e = e.parentElement;
  while (e && !lines.includes(e)) e = e.parentElement;
  return e ? lines.indexOf(e) : -1;
})())"_s,
        QWebEngineScript::ApplicationWorld, [self, asked](const QVariant &result) {
            if (!self || self->m_asked != asked || result.toInt() < 0)
                return;
            const int element = result.toInt();
            for (QTextBlock line = self->document()->begin(); line.isValid(); line = line.next()) {
                if (line.blockFormat().property(kElementProperty).toInt() == element &&
                    line.blockFormat().hasProperty(kElementProperty)) {
                    self->setTextCursor(QTextCursor(line));
                    emit self->told(line.text());
                    return;
                }
            }
        });
}

} // namespace reader_pane
