// The reader's features over the web view: keys, context menu, find, print, zoom, the bars.
#pragma once

#include <QObject>
#include <QUrl>

#include <memory>

class QAction;
class QPoint;
class QPrinter;
class QWidget;

namespace platform {
class QtWebView;
}

namespace reader_pane {

class PaneBars;
class ReadingView;

// The reader's tools over the view, as browsers give them: a context menu whose every item
// does what it says, the browsing keys (F5 and Ctrl+R, Alt+Left and Alt+Right, Esc while
// loading), a find bar (Ctrl+F, F3, Shift+F3), printing (Ctrl+P; to a file as a PDF with the
// page's text), zoom for this run (Ctrl+plus, Ctrl+minus, Ctrl+0), a link's address at the
// lower left while the mouse is on it, a thin line along the top while a page loads, a notice
// in place of a page whose renderer has ended, and the title of each page the user asked for
// told to a screen reader. While a screen reader runs, the keyboard in the pane goes to the
// page's text, which the arrow keys read line by line, headings, bylines and paragraphs in
// order. The keys work while the keyboard is in the pane.
class ReaderTools final : public QObject
{
public:
    // Made a child of the view; the bars over the pane lie in host, a widget the view lies in
    // (the window's client area). Precondition: the view sits in host where it stays.
    ReaderTools(platform::QtWebView *view, QWidget *host);
    ~ReaderTools() override;

private:
    void addKeys();
    void newPage();
    void readPage();
    // The page's text, made when first needed.
    ReadingView *text();
    void follow(const QString &address);
    void say(const QString &text);
    // Whether the keyboard is in the page or in its text.
    bool holdsKeyboard() const;
    void showContextMenu(const QPoint &at);
    void zoom(bool in);
    void print();

    platform::QtWebView *m_view;
    PaneBars *m_bars;
    QAction *m_stop = nullptr;
    // Whether the page shown has been read for a screen reader, and at which address.
    bool m_read = false;
    QUrl m_readAddress;
    // The printer of the print under way: the engine renders it after the dialog.
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace reader_pane
