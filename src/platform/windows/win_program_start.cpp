// Program start on Windows, through CreateProcessA.
#include "win_program_start.h"

#include "windows_api.h"

#include "platform/error.h"

#include <vector>

namespace platform {

void WinProgramStart::Shell(const std::string &program, int showState)
{
    if (program.empty() || program.find('\0') != std::string::npos)
        throw Error(kInvalidProcedureCall);
    // The path is the application's name, so CreateProcess never splits it at a blank (and
    // never starts C:\Program.exe for "C:\Program Files\..."); the command line repeats it,
    // quoted, as the program's own name.
    const std::string quoted = '"' + program + '"';
    std::vector<char> commandLine(quoted.begin(), quoted.end());
    commandLine.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(showState);
    PROCESS_INFORMATION process{};
    if (!::CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process))
        throw Error(kFileNotFound, std::string(kFileNotFound.description) + ": " + program);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
}

} // namespace platform
