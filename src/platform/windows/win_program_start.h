// Program start on Windows.
#pragma once

#include "platform/program_start.h"

namespace platform {

// Starts a program with CreateProcessA.
class WinProgramStart final : public ProgramStart
{
public:
    void Shell(const std::string &program, int showState) override;
};

} // namespace platform
