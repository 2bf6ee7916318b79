// Program start on Qt: a detached process, the whole path as the program.
#pragma once

#include "platform/program_start.h"

namespace platform {

class QtProgramStart final : public ProgramStart
{
public:
    void Shell(const std::string &program, int showState) override;
};

} // namespace platform
