// The page shown in the web view, and the rules it keeps.
#pragma once

#include <QWebEnginePage>

class QWebEngineView;

namespace platform {

class LocalPageGuard;
class PageDialogs;

// The page of the web view. Its alert, confirm and prompt boxes never trap the user (a
// question before it is left that is not shown counts as leave); a window it asks for opens in
// the view instead; a page opened from disk runs no script and shows the files saved beside
// it, nothing else.
class WebPage final : public QWebEnginePage
{
    Q_OBJECT

public:
    explicit WebPage(QWebEngineView *view);

    // Whether one of the page's boxes waits for the user's answer.
    bool asking() const;
    // The user goes to another page: the page's box closes, and it shows no other meanwhile.
    void leave();

signals:
    // A new document has been committed to be shown (a new page, or the same one again), before
    // any script of its own runs; not for a page from disk, which runs no script.
    void committed();
    // The document shown has been read in whole (its pictures may still come); not for a page
    // from disk either.
    void ready();
    // The user answered the page's question before it is left with stay.
    void leaveRefused();

protected:
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceID) override;
    void javaScriptAlert(const QUrl &origin, const QString &text) override;
    bool javaScriptConfirm(const QUrl &origin, const QString &text) override;
    bool javaScriptPrompt(const QUrl &origin, const QString &text, const QString &defaultValue,
                          QString *result) override;
    QWebEnginePage *createWindow(WebWindowType) override;
    bool acceptNavigationRequest(const QUrl &url, NavigationType, bool isMainFrame) override;

private:
    QWebEngineView *m_view;
    LocalPageGuard *m_localPageGuard;
    PageDialogs *m_dialogs;
    // What the program's own scripts say of each document, which a page cannot know.
    QString m_mark;
};

} // namespace platform
