// Which window system the program runs on where the desktop offers two.
#pragma once

namespace platform {

// Where a Wayland session also offers an X11 display (XWayland) and the user has chosen no
// platform (QT_QPA_PLATFORM unset), the program runs on X11 if that display serves: there its
// window opens at its place and the About dialog stays off the taskbar, which Wayland lets no
// program do. A display that does not take a connection within a deadline (a server stopped or
// hung), or lacks the screen it names, leaves the program to Wayland. Otherwise Qt chooses,
// and a session with Wayland alone runs on Wayland.
void preferX11();

} // namespace platform
