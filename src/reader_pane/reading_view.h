// The page's text, for a screen reader to read line by line.
#pragma once

#include <QTextBrowser>

class QWebEngineView;

namespace reader_pane {

// The text of the page shown, for a screen reader: its headings, bylines, paragraphs and list
// items in the page's order, one to a line, in a text widget whose caret the arrow keys move
// and whose every line a screen reader speaks (the engine's pane gives a screen reader no
// caret to follow). Made only while a screen reader runs; it lies under the page, where it is
// never seen, and holds plain text only: nothing of the page's script or links reaches it.
class ReadingView final : public QTextBrowser
{
public:
    ReadingView(QWebEngineView *view, QWidget *parent);

    // Fills it with the page shown, from its top; with keyboard, the keyboard goes into it.
    void read(bool keyboard);

private:
    QWebEngineView *m_view;
    // Counts the pages asked for: only the text of the last one is shown.
    quint64 m_asked = 0;
};

} // namespace reader_pane
