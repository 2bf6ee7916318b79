// The find bar of the web view: finds as the user types, counts the matches, steps through them.
#include "find_bar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEngineView>

using namespace Qt::StringLiterals;

namespace platform {

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

FindBar::FindBar(QWebEngineView *view, QWidget *parent)
    : QWidget(parent)
    , m_view(view)
    , m_field(new QLineEdit(this))
    , m_count(new QLabel(this))
{
    setObjectName(u"findBar"_s);
    setAutoFillBackground(true);
    m_field->setAccessibleName(u"Find in page"_s);
    m_field->setPlaceholderText(u"Find in page"_s);
    m_field->setClearButtonEnabled(true);
    m_field->installEventFilter(this);
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
    connect(m_field, &QLineEdit::textChanged, this, [this] { find(); });
    connect(previous, &QToolButton::clicked, this, [this] { find(true); });
    connect(next, &QToolButton::clicked, this, [this] { find(); });
    connect(close, &QToolButton::clicked, this, &FindBar::close);
    connect(view->page(), &QWebEnginePage::findTextFinished, this, &FindBar::showResult);
    hide();
}

void FindBar::open()
{
    show();
    raise();
    m_field->setFocus(Qt::ShortcutFocusReason);
    m_field->selectAll();
}

void FindBar::step(bool backward)
{
    if (isHidden())
        open();
    find(backward);
}

void FindBar::close()
{
    hide();
    m_view->findText(QString());
    m_view->setFocus(Qt::OtherFocusReason);
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
    if (isHidden() || m_field->text().isEmpty())
        return;
    m_count->setText(result.numberOfMatches() == 0
                         ? u"No matches"_s
                         : QString::number(result.activeMatch()) + u" of "_s +
                               QString::number(result.numberOfMatches()));
}

bool FindBar::eventFilter(QObject *, QEvent *event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    // Esc in the field is the bar's, also while the page loads (when it would stop the load).
    if (event->type() == QEvent::ShortcutOverride) {
        if (key->key() != Qt::Key_Escape)
            return false;
        event->accept();
        return true;
    }
    const bool shift = key->modifiers() & Qt::ShiftModifier;
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F3:
        find(shift);
        return true;
    case Qt::Key_Escape:
        close();
        return true;
    default:
        return false;
    }
}

} // namespace platform
