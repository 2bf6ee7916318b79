// Which window system the program runs on where the desktop offers two.
#include "window_system.h"

#include "own_environment.h"

#include <QtGlobal>

#if __has_include(<xcb/xcb.h>)
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace platform {

#if __has_include(<xcb/xcb.h>)
namespace {

// How long an X server may take to accept the program: far more than a live one needs.
constexpr std::chrono::milliseconds kX11Deadline(2000);

// Whether the X display the environment names, with its authority, takes a connection within
// the deadline and has the screen it names. Tried in a child process: a server that accepts and
// never answers (stopped, or hung) would hold the connecting call for ever.
bool x11Serves()
{
    int done[2];
    if (::pipe(done) != 0)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(done[0]);
        int screen = 0;
        xcb_connection_t *connection = xcb_connect(nullptr, &screen);
        const bool serves = xcb_connection_has_error(connection) == 0 &&
                            screen < xcb_setup_roots_length(xcb_get_setup(connection));
        ::_exit(serves ? 0 : 1);
    }
    ::close(done[1]);
    if (child < 0) {
        ::close(done[0]);
        return false;
    }
    // The pipe's end closes when the child ends.
    const auto deadline = std::chrono::steady_clock::now() + kX11Deadline;
    pollfd ended{done[0], POLLIN, 0};
    int ready = 0;
    do {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        ready = ::poll(&ended, 1, int(std::max<qint64>(left.count(), 0)));
    } while (ready < 0 && errno == EINTR);
    ::close(done[0]);
    if (ready <= 0)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    return ready > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace
#endif

void preferX11()
{
#if __has_include(<xcb/xcb.h>)
    // Without a Wayland display Qt takes X11 itself.
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || qEnvironmentVariableIsEmpty("DISPLAY") ||
        (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
         !qEnvironmentVariableIsSet("WAYLAND_SOCKET")))
        return;
    // Where the X display cannot serve, Qt is kept from it: it would hang on a display that
    // never answers, or end on a screen that is not there.
    setOwnEnvironment("QT_QPA_PLATFORM", x11Serves() ? "xcb" : "wayland");
#endif
}

} // namespace platform
