// A registry that stands in where the system has none: the system information tool's key.
#include "stand_in_registry.h"

#include <QStandardPaths>
#include <QStringList>

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr const char *kToolKeyName = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";

// The full path of the desktop's system information program, or empty when none is installed.
std::string systemInformationProgram()
{
    for (const char *name : {"hardinfo", "kinfocenter", "lshw-gtk"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(name));
        if (!path.isEmpty())
            return path.toLocal8Bit().toStdString();
    }
    return {};
}

bool sameKeyName(const std::string &a, const std::string &b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

std::int32_t StandInRegistry::RegOpenKeyExA(std::int32_t root, const std::string &subKey,
                                            std::uint32_t, std::uint32_t access, Key &opened)
{
    if (root != kHkeyLocalMachine || !sameKeyName(subKey, kToolKeyName))
        return kErrorFileNotFound;
    if (access & kKeyWriteRights)
        return kErrorAccessDenied;
    m_toolPath = systemInformationProgram();
    if (m_toolPath.empty())
        return kErrorFileNotFound;
    opened = kToolKey;
    return kErrorSuccess;
}

std::int32_t StandInRegistry::RegQueryValueExA(Key key, const std::string &valueName,
                                               std::uint32_t &type, std::uint8_t *data,
                                               std::uint32_t &size)
{
    if (key != kToolKey || m_toolPath.empty() || !sameKeyName(valueName, "PATH"))
        return kErrorFileNotFound;
    // A text value is stored with its terminating zero.
    const auto needed = std::uint32_t(m_toolPath.size() + 1);
    if (needed > size) {
        size = needed;
        return kErrorMoreData;
    }
    std::memcpy(data, m_toolPath.c_str(), needed);
    size = needed;
    type = kRegSz;
    return kErrorSuccess;
}

std::int32_t StandInRegistry::RegCloseKey(Key key)
{
    if (key != kToolKey || m_toolPath.empty())
        return kErrorInvalidHandle;
    m_toolPath.clear();
    return kErrorSuccess;
}

} // namespace platform
