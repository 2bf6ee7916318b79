// A program for the Windows test to start: it writes "<its own path>.ran" and ends.
#include "platform/windows/windows_api.h"

#include <string>

int main()
{
    char self[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length == MAX_PATH)
        return 1;
    const std::string ran = std::string(self, length) + ".ran";
    const HANDLE file = ::CreateFileA(ran.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return 1;
    ::CloseHandle(file);
    return 0;
}
