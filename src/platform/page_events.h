// What the user and the page do in the web view, for the features beside it.
#pragma once

#include <QObject>

namespace platform {

// What happens in the web view's page that the features beside the view act on, told by the
// view, which alone watches the widgets the engine shows the page in (made late, and made anew
// for a page's source or after a renderer has ended).
class PageEvents final : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;

signals:
    // The user acted in the page (a key, a click or a touch in it), or the program went to an
    // address the user asked for.
    void userActed();
    // The page has taken the keyboard (a click in it, Tab, the program's own doing).
    void keyboardTaken();
    // A new page has been committed to be shown, though nothing of it may be there yet.
    void pageCommitted();
    // The page shown has been read in whole, though its pictures may still come. A page that
    // runs no script (one from disk) tells of neither: its load's end tells.
    void pageReady();
};

} // namespace platform
