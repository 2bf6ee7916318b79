// A registry that stands in where the system has none.
#pragma once

#include "platform/registry.h"

#include <string>

namespace platform {

// Stands in for the registry where there is none. It holds one key, the one that names the
// system information tool's full path, and only while the desktop's own system information
// program is installed; it refuses every access right that would change a key.
class StandInRegistry final : public Registry
{
public:
    std::int32_t RegOpenKeyExA(std::int32_t root, const std::string &subKey, std::uint32_t options,
                               std::uint32_t access, Key &opened) override;
    std::int32_t RegQueryValueExA(Key key, const std::string &valueName, std::uint32_t &type,
                                  std::uint8_t *data, std::uint32_t &size) override;
    std::int32_t RegCloseKey(Key key) override;

private:
    static constexpr Key kToolKey = 1;
    // The tool's path while its key is open; empty while it is closed.
    std::string m_toolPath;
};

} // namespace platform
