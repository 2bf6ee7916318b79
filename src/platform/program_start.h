// The program start interface.
#pragma once

#include <string>

namespace platform {

// Starts another program and does not wait for it.
class ProgramStart
{
public:
    virtual ~ProgramStart() = default;

    // Starts the program at this path, with no arguments: the path is never split into words.
    // showState 1 is a normal, activated window. Raises platform::Error when it cannot start.
    virtual void Shell(const std::string &program, int showState) = 0;
};

} // namespace platform
