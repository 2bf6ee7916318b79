// The Windows registry, through advapi32.
#pragma once

#include "platform/registry.h"

namespace platform {

// The Windows registry, through advapi32.
class WinRegistry final : public Registry
{
public:
    std::int32_t RegOpenKeyExA(std::int32_t root, const std::string &subKey, std::uint32_t options,
                               std::uint32_t access, Key &opened) override;
    std::int32_t RegQueryValueExA(Key key, const std::string &valueName, std::uint32_t &type,
                                  std::uint8_t *data, std::uint32_t &size) override;
    std::int32_t RegCloseKey(Key key) override;
};

} // namespace platform
