// The file test interface: whether a normal file exists.
#pragma once

#include <string>

namespace platform {

// Tests whether a normal file (not hidden, not a system file, not a folder) exists.
class FileTest
{
public:
    virtual ~FileTest() = default;

    // The name of the normal file at path, or the empty text when there is none. Raises
    // platform::Error for a path that cannot be searched.
    virtual std::string Dir(const std::string &path) = 0;
};

} // namespace platform
