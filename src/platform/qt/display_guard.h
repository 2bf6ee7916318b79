// Starting without a display: one clear line and status 1, rather than Qt's abort.
#pragma once

namespace platform {

// Held from before the application object is made until it has been: Qt's messages are kept
// back meanwhile. Where no display can be reached, the program says in one line that it needs
// a graphical session and ends with status 1 (Qt would abort with advice to reinstall);
// otherwise the messages kept back go out as they came.
class DisplayGuard
{
public:
    DisplayGuard();
    ~DisplayGuard() { release(); }
    DisplayGuard(const DisplayGuard &) = delete;
    DisplayGuard &operator=(const DisplayGuard &) = delete;

    // The application object is made.
    void release();

private:
    bool m_held = true;
};

} // namespace platform
