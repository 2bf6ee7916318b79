// The list box of the main window: List1 and List2.
#pragma once

#include <QListWidget>

// A single-selection list box that notifies Click once for each user action that chooses an
// item: a mouse click on an item (also on the one already selected) or a change of the
// selection by keyboard. Filling or clearing it from the program notifies nothing.
class ListBox final : public QListWidget
{
    Q_OBJECT

public:
    using QListWidget::QListWidget;

    // The selected item's index, or -1 when no item is selected.
    int ListIndex() const;
    qint32 ItemData(int index) const;
    void setItemData(int index, qint32 data);
    void AddItem(const QString &caption);
    void Clear() { clear(); }

signals:
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    // Tells screen readers that the chosen item has the focus.
    void tellChosenItem();

    int m_indexAtPress = -1;
    bool m_pressOnItem = false;
};
