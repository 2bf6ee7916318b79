// Deleting a window once it has closed and nothing runs on top of it.
#pragma once

class QWidget;

namespace platform {

// Deletes the window once it has closed and the event loops that were running when it closed
// (a modal dialog's, a page's message box) have returned: a window deleted from inside one of
// them would pull the dialog out from under its own caller. The dialogs on top of the window
// are closed with it.
void deleteWhenClosed(QWidget *window);

} // namespace platform
