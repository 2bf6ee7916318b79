// The file test on Windows.
#pragma once

#include "platform/file_test.h"

namespace platform {

// The file test on the Windows file system: FindFirstFileA and the file's attributes.
class WinFileTest final : public FileTest
{
public:
    std::string Dir(const std::string &path) override;
};

} // namespace platform
