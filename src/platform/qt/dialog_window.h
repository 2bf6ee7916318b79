// Keeping a window's button off the taskbar.
#pragma once

class QWidget;

namespace platform {

// Asks the window system to leave the window off taskbars (X11's skip-taskbar state), as a
// dialog's window should be, each time it is shown. Elsewhere this does nothing.
void keepOffTaskbar(QWidget *window);

} // namespace platform
