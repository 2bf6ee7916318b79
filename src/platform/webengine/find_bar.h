// The find bar of the web view: a field, the count of matches, next, previous and close.
#pragma once

#include <QWidget>

class QLabel;
class QLineEdit;
class QWebEngineFindTextResult;
class QWebEngineView;

namespace platform {

// A small bar along the bottom of the web view that finds text in the page as it is typed.
// Enter and F3 go to the next match, Shift+Enter and Shift+F3 to the one before; Esc or its
// close button leaves it and takes the highlights away.
class FindBar final : public QWidget
{
public:
    // parent: where the bar lies over the view, and where a screen reader finds it.
    FindBar(QWebEngineView *view, QWidget *parent);

    // Shows the bar, with the keyboard in its field.
    void open();
    // To the next match, or the one before; opens the bar when it is closed.
    void step(bool backward);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void close();
    void find(bool backward = false);
    void showResult(const QWebEngineFindTextResult &result);

    QWebEngineView *m_view;
    QLineEdit *m_field;
    QLabel *m_count;
};

} // namespace platform
