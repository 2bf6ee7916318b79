// Finding the system information tool in the registry, and starting it.
#include "sys_info.h"

#include "platform/resume_next.h"

#include "platform/error.h"

#include <array>
#include <cctype>

namespace sysinfo {

namespace {

constexpr std::uint32_t kBufferSize = 1024;
constexpr int kShowNormal = 1;

// Closes a registry key when it goes out of scope, also when an error passes through.
class OpenKey
{
public:
    OpenKey(platform::Registry &registry, platform::Registry::Key key)
        : m_registry(registry)
        , m_key(key)
    {}
    ~OpenKey() { m_registry.RegCloseKey(m_key); }
    OpenKey(const OpenKey &) = delete;
    OpenKey &operator=(const OpenKey &) = delete;

private:
    platform::Registry &m_registry;
    platform::Registry::Key m_key;
};

// The bytes of a number, lowest first, written as hexadecimal digits from the highest byte
// down, appended to text; then text read as a hexadecimal number and written in decimal.
std::string numberText(std::string text, const std::string &bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    for (auto it = bytes.crbegin(); it != bytes.crend(); ++it) {
        const auto byte = static_cast<unsigned char>(*it);
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    std::uint64_t number = 0;
    for (const char c : text) {
        const char *digit = std::char_traits<char>::find(kDigits, 16, char(std::toupper(c)));
        if (!digit)
            throw platform::Error(platform::kTypeMismatch);
        number = number * 16 + std::uint64_t(digit - kDigits);
        if (number > 0xFFFFFFFFu)
            throw platform::Error(platform::kOverflow);
    }
    return std::to_string(number);
}

} // namespace

bool GetKeyValue(platform::Registry &registry, const std::int32_t &KeyRoot,
                 const std::string &KeyName, const std::string &SubKeyRef, std::string &KeyVal)
{
    // The program only reads, so it asks for read access only.
    platform::Registry::Key key = 0;
    if (registry.RegOpenKeyExA(KeyRoot, KeyName, 0, platform::kKeyRead, key) !=
        platform::kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    const OpenKey open(registry, key);

    std::array<std::uint8_t, kBufferSize> buffer{};
    std::uint32_t size = kBufferSize;
    std::uint32_t type = 0;
    if (registry.RegQueryValueExA(key, SubKeyRef, type, buffer.data(), size) !=
            platform::kErrorSuccess ||
        size > kBufferSize) {
        KeyVal.clear();
        return false;
    }

    if (size == 0)
        throw platform::Error(platform::kInvalidProcedureCall);
    // One character per byte; a terminating zero is not part of the text.
    const std::size_t kept = buffer[size - 1] == 0 ? size - 1 : size;
    const std::string text(reinterpret_cast<const char *>(buffer.data()), kept);

    if (type == platform::kRegSz)
        KeyVal = text;
    else if (type == platform::kRegDword)
        KeyVal = numberText(KeyVal, text);
    return true;
}

namespace {

// Finds the tool and starts it; false when no tool is to be found.
bool startTool(const Platform &platform)
{
    constexpr std::int32_t root = platform::kHkeyLocalMachine;
    const std::string toolFile = "\\MSINFO32.EXE";
    std::string toolPath;
    if (!GetKeyValue(platform.registry, root, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH",
                     toolPath)) {
        if (!GetKeyValue(platform.registry, root, "SOFTWARE\\Microsoft\\Shared Tools Location",
                         "MSINFO", toolPath))
            return false;
        if (platform.files.Dir(toolPath + toolFile).empty())
            return false;
        toolPath += toolFile;
    }
    platform.programs.Shell(toolPath, kShowNormal);
    return true;
}

} // namespace

void StartSysInfo(const Platform &platform)
{
    bool started = false;
    platform::resumeNext([&] { started = startTool(platform); });
    if (!started)
        platform.messages.MsgBox(kUnavailable, platform::MessageBox::OkOnly,
                                 platform::MessageBox::NoIcon);
}

} // namespace sysinfo
