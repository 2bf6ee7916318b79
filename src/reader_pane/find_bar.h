// The find bar of the reader's pane: a field, the count of matches, next, previous and close.
#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

class QLabel;
class QLineEdit;
class QWebEngineFindTextResult;
class QWebEngineView;

namespace reader_pane {

// A small bar along the bottom of the pane that finds text in the page as it is typed, from
// the top of the page. Enter and F3 go to the next match, Shift+Enter and Shift+F3 to the one
// before; Esc anywhere in the bar, or its close button, leaves it, takes the highlights away
// and gives the keyboard back to where it was in the pane. The field's name as the bar opens and
// each count are also said.
class FindBar final : public QWidget
{
    Q_OBJECT

public:
    // parent: where the bar lies over the view, and where a screen reader finds it; say: tells
    // a screen reader what the bar has to say.
    FindBar(QWebEngineView *view, QWidget *parent, std::function<void(const QString &)> say);

    // Shows the bar, with the keyboard in its field.
    void open();
    // To the next match, or the one before; opens the bar when it is closed.
    void step(bool backward);

signals:
    // The bar has closed, the page's selection on the match found last.
    void closed();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void close();
    void findAnew();
    void find(bool backward = false);
    void showResult(const QWebEngineFindTextResult &result);

    QWebEngineView *m_view;
    QLineEdit *m_field;
    QLabel *m_count;
    std::function<void(const QString &)> m_say;
    // Where the keyboard was in the pane when the bar opened.
    QPointer<QWidget> m_return;
    // Counts the texts typed: only the last is looked for.
    quint64 m_typed = 0;
    // While the last search is ended, whose empty result is no count.
    bool m_restarting = false;
};

} // namespace reader_pane
