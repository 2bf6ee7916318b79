// The registry interface, read only, and the registry's numbers.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Read access to a registry of keys and values, in the shape of the three advapi32 calls the
// program uses: each returns 0 on success or a system error code.
class Registry
{
public:
    using Key = std::uintptr_t;

    virtual ~Registry() = default;

    virtual std::int32_t RegOpenKeyExA(std::int32_t root, const std::string &subKey,
                                       std::uint32_t options, std::uint32_t access,
                                       Key &opened) = 0;
    // In: size is the buffer's size in bytes. Out: type, the data and the bytes stored.
    // Data larger than the buffer gives kErrorMoreData.
    virtual std::int32_t RegQueryValueExA(Key key, const std::string &valueName,
                                          std::uint32_t &type, std::uint8_t *data,
                                          std::uint32_t &size) = 0;
    virtual std::int32_t RegCloseKey(Key key) = 0;
};

inline constexpr std::int32_t kHkeyLocalMachine = std::int32_t(0x80000002u);
inline constexpr std::int32_t kErrorSuccess = 0;
inline constexpr std::int32_t kErrorFileNotFound = 2;
inline constexpr std::int32_t kErrorAccessDenied = 5;
inline constexpr std::int32_t kErrorInvalidHandle = 6;
inline constexpr std::int32_t kErrorMoreData = 234;
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegExpandSz = 2;
inline constexpr std::uint32_t kRegDword = 4;
inline constexpr std::uint32_t kKeyRead = 0x20019;
// Every access right that changes a key: set value, create sub-key, create link.
inline constexpr std::uint32_t kKeyWriteRights = 0x0002 | 0x0004 | 0x0020;

} // namespace platform
