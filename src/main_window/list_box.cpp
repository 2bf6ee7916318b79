// The list box: one Click for each choice by mouse or keyboard, and its focus frame.
#include "list_box.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

int ListBox::ListIndex() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

qint32 ListBox::ItemData(int index) const
{
    return item(index)->data(Qt::UserRole).value<qint32>();
}

void ListBox::setItemData(int index, qint32 data)
{
    item(index)->setData(Qt::UserRole, data);
}

void ListBox::AddItem(const QString &caption)
{
    addItem(caption);
}

void ListBox::mousePressEvent(QMouseEvent *event)
{
    m_indexAtPress = ListIndex();
    m_pressOnItem =
        event->button() == Qt::LeftButton && indexAt(event->position().toPoint()).isValid();
    QListWidget::mousePressEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent *event)
{
    QListWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // A press on an item, or a drag that moved the selection, chose an item.
    const bool chose = m_pressOnItem || ListIndex() != m_indexAtPress;
    m_pressOnItem = false;
    m_indexAtPress = ListIndex();
    if (chose && ListIndex() >= 0)
        emit Click();
}

void ListBox::keyPressEvent(QKeyEvent *event)
{
    const int before = ListIndex();
    // With nothing selected, the first step up or down chooses the first item.
    if (before < 0 && count() > 0 && event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Down || event->key() == Qt::Key_Up)) {
        setCurrentRow(0);
        // The first item was current already, so only the selection changed, of which screen
        // readers say nothing.
        tellChosenItem();
        emit Click();
        return;
    }
    QListWidget::keyPressEvent(event);
    if (ListIndex() != before && ListIndex() >= 0)
        emit Click();
}

void ListBox::paintEvent(QPaintEvent *event)
{
    QListWidget::paintEvent(event);
    // The list that has the keyboard shows it, whether or not an item is chosen yet.
    if (!hasFocus())
        return;
    QPainter painter(viewport());
    QStyleOptionFocusRect option;
    option.initFrom(this);
    option.rect = viewport()->rect();
    option.backgroundColor = palette().color(QPalette::Base);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &painter, this);
}

// Screen readers are told which item has the focus, as they are told of the list.
void ListBox::tellChosenItem()
{
    if (ListIndex() < 0 || !QAccessible::isActive())
        return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(ListIndex());
    QAccessible::updateAccessibility(&focus);
}

void ListBox::focusInEvent(QFocusEvent *event)
{
    QListWidget::focusInEvent(event);
    // After the list's own news of the focus, which comes when this returns.
    QMetaObject::invokeMethod(this, &ListBox::tellChosenItem, Qt::QueuedConnection);
    viewport()->update();
}

void ListBox::focusOutEvent(QFocusEvent *event)
{
    QListWidget::focusOutEvent(event);
    viewport()->update();
}
