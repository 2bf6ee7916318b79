// The Windows registry, through advapi32.
#include "win_registry.h"

#include "windows_api.h"

namespace platform {

namespace {

HKEY toHandle(std::uintptr_t key)
{
    return reinterpret_cast<HKEY>(key);
}

} // namespace

std::int32_t WinRegistry::RegOpenKeyExA(std::int32_t root, const std::string &subKey,
                                        std::uint32_t options, std::uint32_t access, Key &opened)
{
    // A predefined root such as HKEY_LOCAL_MACHINE is a sign-extended 32-bit value.
    const auto rootKey = reinterpret_cast<HKEY>(static_cast<std::intptr_t>(root));
    HKEY key = nullptr;
    const LONG result = ::RegOpenKeyExA(rootKey, subKey.c_str(), options, access, &key);
    if (result == ERROR_SUCCESS)
        opened = reinterpret_cast<std::uintptr_t>(key);
    return result;
}

std::int32_t WinRegistry::RegQueryValueExA(Key key, const std::string &valueName,
                                           std::uint32_t &type, std::uint8_t *data,
                                           std::uint32_t &size)
{
    DWORD valueType = 0;
    DWORD bytes = size;
    const LONG result =
        ::RegQueryValueExA(toHandle(key), valueName.c_str(), nullptr, &valueType, data, &bytes);
    type = valueType;
    size = bytes;
    return result;
}

std::int32_t WinRegistry::RegCloseKey(Key key)
{
    return ::RegCloseKey(toHandle(key));
}

} // namespace platform
