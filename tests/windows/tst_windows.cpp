// The System Info look-up against a real Windows registry API (run under Wine by run.sh):
// values written with the API itself, read back through WinRegistry and GetKeyValue, and the
// whole StartSysInfo flow with the Windows file test and program start.
//   tst_windows MARKER_EXE     MARKER_EXE: the program the flow is to start (marker.cpp)
// The Windows API first, on purpose: <windows.h> defines MessageBox, which must not rename
// platform::MessageBox below.
#include "platform/windows/windows_api.h"

#include "about/sys_info.h"
#include "platform/error.h"
#include "platform/windows/win_file_test.h"
#include "platform/windows/win_program_start.h"
#include "platform/windows/win_registry.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

int passed = 0;
int failed = 0;

void check(bool ok, const std::string &what)
{
    (ok ? passed : failed) += 1;
    std::printf("%s  %s\n", ok ? "PASS" : "FAIL", what.c_str());
}

const std::string kTestKey = "SOFTWARE\\ZelTidewell Test";
const std::string kToolKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";

void setValue(const std::string &key, const std::string &name, DWORD type, const void *data,
              DWORD size)
{
    HKEY handle = nullptr;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &handle, nullptr) != ERROR_SUCCESS)
        return check(false, "create " + key);
    ::RegSetValueExA(handle, name.c_str(), 0, type, static_cast<const BYTE *>(data), size);
    ::RegCloseKey(handle);
}

void setText(const std::string &key, const std::string &name, const std::string &text,
             DWORD type = REG_SZ)
{
    setValue(key, name, type, text.c_str(), DWORD(text.size() + 1));
}

void removeKey(const std::string &key)
{
    ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, key.c_str());
}

// GetKeyValue on HKEY_LOCAL_MACHINE; the text it leaves, or "(false)" when it returns false,
// or "(error N)" when it raises.
std::string lookUp(const std::string &key, const std::string &name,
                   const std::string &before = "before")
{
    platform::WinRegistry registry;
    std::string value = before;
    try {
        return sysinfo::GetKeyValue(registry, platform::kHkeyLocalMachine, key, name, value)
                   ? value
                   : "(false)" + value;
    } catch (const platform::Error &error) {
        return "(error " + std::to_string(error.number()) + ")";
    }
}

struct Messages final : platform::MessageBox
{
    std::vector<std::string> shown;
    Answer MsgBox(const std::string &prompt, Buttons, Icon,
                  const std::optional<std::string> &) override
    {
        shown.push_back(prompt);
        return Ok;
    }
};

bool exists(const std::string &path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Polls for the file with a deadline: a started program runs on its own time.
bool appears(const std::string &path)
{
    for (int i = 0; i < 300; ++i) {
        if (exists(path))
            return true;
        ::Sleep(50);
    }
    return false;
}

// StartSysInfo with the real Windows objects; the messages it showed.
std::vector<std::string> startSysInfo()
{
    platform::WinRegistry registry;
    platform::WinFileTest files;
    platform::WinProgramStart programs;
    Messages messages;
    sysinfo::StartSysInfo({registry, files, programs, messages});
    return messages.shown;
}

void readsValues()
{
    removeKey(kTestKey);
    setText(kTestKey, "Text", "C:\\Tools");
    setText(kTestKey, "Expand", "%SystemRoot%\\system32", REG_EXPAND_SZ);
    const DWORD number = 0x12345;
    setValue(kTestKey, "Number", REG_DWORD, &number, sizeof number);
    setValue(kTestKey, "Empty", REG_SZ, "", 0);
    setText(kTestKey, "Long", std::string(1500, 'x'));
    setText(kTestKey, "Exactly", std::string(1023, 'y'));

    check(lookUp(kTestKey, "Text") == "C:\\Tools", "REG_SZ without its terminator");
    // Windows matches key and value names without regard to case.
    check(lookUp("software\\zeltidewell test", "TEXT") == "C:\\Tools", "names in another case");
    check(lookUp(kTestKey, "Number", "") == "74565", "REG_DWORD in decimal");
    check(lookUp(kTestKey, "Expand") == "before", "REG_EXPAND_SZ leaves the text as it was");
    check(lookUp(kTestKey + "\\Missing", "Text") == "(false)", "a missing key");
    check(lookUp(kTestKey, "Missing") == "(false)", "a missing value");
    check(lookUp(kTestKey, "Empty") == "(error 5)", "a value with no data");
    check(lookUp(kTestKey, "Long") == "(false)", "a value over 1024 bytes");
    check(lookUp(kTestKey, "Exactly") == std::string(1023, 'y'), "1023 characters and a zero");

    // What WinRegistry hands on: the type, the bytes as stored (unexpanded), their count with
    // the terminator.
    platform::WinRegistry registry;
    platform::Registry::Key key = 0;
    check(registry.RegOpenKeyExA(platform::kHkeyLocalMachine, kTestKey, 0, platform::kKeyRead,
                                 key) == platform::kErrorSuccess,
          "open with KEY_READ");
    std::uint8_t data[64] = {};
    std::uint32_t type = 0;
    std::uint32_t size = sizeof data;
    check(registry.RegQueryValueExA(key, "Expand", type, data, size) == 0 &&
              type == platform::kRegExpandSz && size == 22 &&
              std::string(reinterpret_cast<char *>(data)) == "%SystemRoot%\\system32",
          "REG_EXPAND_SZ comes unexpanded, terminator counted");
    size = 4;
    check(registry.RegQueryValueExA(key, "Text", type, data, size) == platform::kErrorMoreData &&
              size == 9,
          "too small a buffer: ERROR_MORE_DATA and the size needed");
    // A write through the read-only handle is refused. (Wine, unlike a standard Windows user,
    // would let HKEY_LOCAL_MACHINE be opened for writing at all: why the program asks for
    // read access only stays covered by the unit tests' fakes and the stand-in registry.)
    const LONG write = ::RegSetValueExA(reinterpret_cast<HKEY>(key), "Written", 0, REG_SZ,
                                        reinterpret_cast<const BYTE *>("x"), 2);
    check(write == ERROR_ACCESS_DENIED, "a write through a KEY_READ handle is refused");
    check(registry.RegCloseKey(key) == platform::kErrorSuccess, "close");
    removeKey(kTestKey);
}

void startsTheTool(const std::string &marker)
{
    const std::string folder = "C:\\Program Files\\Zel Test";
    const std::string tool = folder + "\\info tool.exe";
    const std::string decoy = "C:\\Program.exe";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    check(::CopyFileA(marker.c_str(), tool.c_str(), FALSE) &&
              ::CopyFileA(marker.c_str(), decoy.c_str(), FALSE) &&
              ::CopyFileA(marker.c_str(), (folder + "\\MSINFO32.EXE").c_str(), FALSE),
          "tool and decoy in place");
    removeKey(kToolKey);
    removeKey(kLocationKey);

    // Neither look-up finds a tool: the user is told.
    const std::vector<std::string> none = startSysInfo();
    check(none.size() == 1 && none[0] == sysinfo::kUnavailable, "no tool: unavailable");

    // The second look-up: a folder that holds MSINFO32.EXE.
    // Whether the program said the tool is unavailable and whether the tool ran are checked
    // apart, so that a failure says which of the two went wrong.
    setText(kLocationKey, "MSINFO", folder);
    check(startSysInfo().empty(), "the tool from its folder: started");
    check(appears(folder + "\\MSINFO32.EXE.ran"), "the tool from its folder: ran");
    // The first look-up wins: the whole path with its blanks, never the decoy at its first
    // word.
    setText(kToolKey, "PATH", tool);
    check(startSysInfo().empty(), "the tool by its whole path: started");
    check(appears(tool + ".ran"), "the tool by its whole path: ran");
    check(!exists(decoy + ".ran"), "the decoy C:\\Program.exe never runs");

    // A path that names nothing: unavailable, and nothing else starts.
    setText(kToolKey, "PATH", folder + "\\no such tool.exe");
    const std::vector<std::string> missing = startSysInfo();
    check(missing.size() == 1 && !exists(decoy + ".ran"), "a missing tool: unavailable");
    removeKey(kToolKey);
    removeKey(kLocationKey);
}

void filesTest(const std::string &marker)
{
    platform::WinFileTest files;
    check(files.Dir(marker) == marker.substr(marker.find_last_of("\\/") + 1),
          "a normal file's name");
    check(files.Dir("C:\\windows").empty(), "a folder is not a file");
    check(files.Dir("C:\\no such folder\\file.exe").empty(), "a missing path");
    const std::string hidden = "C:\\hidden.exe";
    ::CopyFileA(marker.c_str(), hidden.c_str(), FALSE);
    ::SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
    check(files.Dir(hidden).empty(), "a hidden file is not a normal file");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::printf("usage: tst_windows MARKER_EXE\n");
        return 2;
    }
    const std::string marker = argv[1];
    readsValues();
    filesTest(marker);
    startsTheTool(marker);
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 && passed > 0 ? 0 : 1;
}
