// The file test on Windows, through FindFirstFileA.
#include "win_file_test.h"

#include "windows_api.h"

#include "platform/error.h"

namespace platform {

std::string WinFileTest::Dir(const std::string &path)
{
    if (path.find('\0') != std::string::npos || path.size() > 32767)
        throw Error(kBadFileName);
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA(path.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
            error == ERROR_NO_MORE_FILES)
            return {};
        throw Error(kBadFileName);
    }
    // The first match that is a normal file: not a folder, not hidden, not a system file.
    constexpr DWORD kNotNormal =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    std::string name;
    do {
        if (!(found.dwFileAttributes & kNotNormal)) {
            name = found.cFileName;
            break;
        }
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
    return name;
}

} // namespace platform
