// Keeping a dialog's window a dialog: off the taskbar, and never minimised or maximised.
#pragma once

class QWidget;

namespace platform {

// Asks the window system to leave the window off taskbars (X11's skip-taskbar state), as a
// dialog's window should be, each time it is shown; and keeps a dialog of fixed size from being
// minimised or maximised where the window system offers either anyway (Qt's own title bar on
// Wayland draws both buttons whatever the window asks for, and a minimised window there has no
// way back where the desktop has no taskbar): the window is shown again as it was.
void keepAsDialog(QWidget *window);

} // namespace platform
