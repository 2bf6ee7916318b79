// The find bar of the reader's pane: finds as the user types, counts the matches, steps
// through them.
#include "find_bar.h"

#include "pane_rules.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEngineScript>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace reader_pane {

namespace {

QToolButton *button(QWidget *parent, const QString &text, const QString &name)
{
    auto *button = new QToolButton(parent);
    button->setText(text);
    button->setAccessibleName(name);
    button->setToolTip(name);
    button->setFocusPolicy(Qt::TabFocus);
    return button;
}

} // namespace

FindBar::FindBar(QWebEngineView *view, QWidget *parent, std::function<void(const QString &)> say)
    : QWidget(parent)
    , m_view(view)
    , m_field(new QLineEdit(this))
    , m_count(new QLabel(this))
    , m_say(std::move(say))
{
    setObjectName(u"findBar"_s);
    setAutoFillBackground(true);
    m_field->setAccessibleName(u"Find in page"_s);
    m_field->setPlaceholderText(u"Find in page"_s);
    m_field->setClearButtonEnabled(true);
    m_count->setAccessibleName(u"Matches"_s);
    auto *previous = button(this, u"\u25B2"_s, u"Previous match"_s);
    auto *next = button(this, u"\u25BC"_s, u"Next match"_s);
    auto *close = button(this, u"\u2715"_s, u"Close find bar"_s);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(m_field, 1);
    row->addWidget(m_count);
    row->addWidget(previous);
    row->addWidget(next);
    row->addWidget(close);
    connect(m_field, &QLineEdit::textChanged, this, &FindBar::findAnew);
    connect(previous, &QToolButton::clicked, this, [this] { find(true); });
    connect(next, &QToolButton::clicked, this, [this] { find(); });
    connect(close, &QToolButton::clicked, this, &FindBar::close);
    connect(view->page(), &QWebEnginePage::findTextFinished, this, &FindBar::showResult);
    hide();
}

void FindBar::open()
{
    if (QWidget *focus = QApplication::focusWidget(); focus && !isAncestorOf(focus))
        m_return = focus;
    show();
    raise();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
    // A screen reader takes the field silently (its caret moves before it is told of the
    // focus): the field's name is said.
    m_say(m_field->accessibleName());
}

void FindBar::step(bool backward)
{
    if (isHidden())
        open();
    find(backward);
}

// The keyboard goes straight back to the page, before the bar hides and would pass it on.
void FindBar::close()
{
    QWidget *back = m_return && m_return->isVisible() ? m_return.data() : m_view;
    back->setFocus(Qt::OtherFocusReason);
    hide();
    m_view->findText(QString());
    emit closed();
}

// A changed text is looked for from the top of the page. The engine would look from its last
// match, which it leaves selected: the selection goes first, and of texts typed quickly one
// after another only the last is looked for.
void FindBar::findAnew()
{
    const quint64 typed = ++m_typed;
    m_restarting = true;
    m_view->findText(QString());
    m_restarting = false;
    const QPointer<FindBar> bar(this);
    m_view->page()->runJavaScript(u"getSelection().removeAllRanges()"_s,
                                  QWebEngineScript::ApplicationWorld,
                                  [bar, typed](const QVariant &) {
                                      if (bar && bar->m_typed == typed)
                                          bar->find();
                                  });
}

void FindBar::find(bool backward)
{
    const QString text = m_field->text();
    if (text.isEmpty())
        m_count->clear();
    m_view->findText(text, backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags());
}

void FindBar::showResult(const QWebEngineFindTextResult &result)
{
    if (m_restarting || isHidden() || m_field->text().isEmpty())
        return;
    m_count->setText(matchesText(result.activeMatch(), result.numberOfMatches()));
    m_say(m_count->text());
}

// Esc in the bar is the bar's, also while the page loads (when it would stop the load).
bool FindBar::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

// The keys that the field and the buttons leave to the bar.
void FindBar::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F3:
        find(event->modifiers() & Qt::ShiftModifier);
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace reader_pane
