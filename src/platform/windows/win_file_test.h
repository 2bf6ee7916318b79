// Zel Tidewell — a small desktop news reader.
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
