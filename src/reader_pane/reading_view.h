// The page's text, for a screen reader to read line by line.
#pragma once

#include <QTextEdit>

#include <functional>

class QWebEngineView;

namespace reader_pane {

// The text of the page shown, for a screen reader: its headings with their levels, paragraphs,
// lists and their items, tables by row with each cell named by its column, and form fields
// with their values and states, one to a line in the page's order, in a text widget whose caret
// the arrow keys move and whose every line a screen reader speaks (the engine's pane gives a
// screen reader no caret to follow). As in a browser, H and Shift+H go to the next and previous
// heading (1 to 6 to one of that level), K and Shift+K to the next and previous link, L and T to
// the next list and table, and Enter on a link follows it. The page on screen follows the
// reading: the part of the line read is scrolled into view. Made only while a screen reader
// runs; it lies under the page, where it is never seen, and holds text only: nothing of the
// page's script reaches it. Any page is taken in bounds, in blocks and in characters.
class ReadingView final : public QTextEdit
{
    Q_OBJECT

public:
    ReadingView(QWebEngineView *view, QWidget *parent);

    // Fills it with the page shown, its caret at the top; done once the text is there.
    void read(std::function<void()> done = {});
    // Says that a new page is loading, in place of the page before.
    void showLoading();
    // Moves the reading to the line of what the page has selected (the match found last).
    void followSelection();

signals:
    // Enter on a link: its address.
    void linkChosen(const QString &address);
    // What a screen reader is to say of a move that a key of the view's own made (a screen
    // reader speaks the line itself only for the arrow keys).
    void told(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fill(const QVariantList &blocks);
    bool moveToLine(bool forward, const std::function<bool(const QTextBlock &)> &wanted);
    bool moveToLink(bool forward);
    void tell(bool moved, const QString &what);
    void showLineInPage();

    QWebEngineView *m_view;
    // Counts the pages asked for: only the text of the last one is shown.
    quint64 m_asked = 0;
    // The line whose part of the page was scrolled into view last.
    int m_shownLine = -1;
};

} // namespace reader_pane
