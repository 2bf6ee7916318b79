// Fake registry, file test and program start for the About dialog.
#pragma once

#include "fake_message_box.h"
#include "platform/about_platform.h"
#include "platform/error.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

// A registry of raw values: (root, key name) -> value name -> (type, bytes). It records every
// key opened (with the access asked for), every value asked for, and which keys are still open.
class FakeRegistry final : public platform::Registry
{
public:
    struct Value
    {
        std::uint32_t type;
        std::vector<std::uint8_t> bytes;
    };
    // Key and value names match without regard to case, as in the Windows registry.
    struct CaseBlind
    {
        static std::string folded(std::string text)
        {
            for (char &c : text)
                c = char(std::tolower(static_cast<unsigned char>(c)));
            return text;
        }
        bool operator()(const std::string &a, const std::string &b) const
        {
            return folded(a) < folded(b);
        }
        bool operator()(const std::pair<std::int32_t, std::string> &a,
                        const std::pair<std::int32_t, std::string> &b) const
        {
            return std::pair(a.first, folded(a.second)) < std::pair(b.first, folded(b.second));
        }
    };
    using Values = std::map<std::string, Value, CaseBlind>;
    std::map<std::pair<std::int32_t, std::string>, Values, CaseBlind> keys;

    std::vector<std::string> opened;   // "key name" for each successful or failed open
    std::vector<std::uint32_t> access; // the access mask of each open
    std::vector<std::string> queried;  // "key name\value name"
    std::set<Key> open;                // keys not closed yet

    void setText(const std::string &key, const std::string &value, const std::string &text,
                 bool withZero = true)
    {
        std::vector<std::uint8_t> bytes(text.begin(), text.end());
        if (withZero)
            bytes.push_back(0);
        keys[{platform::kHkeyLocalMachine, key}][value] = {platform::kRegSz, bytes};
    }
    void setBytes(const std::string &key, const std::string &value, std::uint32_t type,
                  std::vector<std::uint8_t> bytes)
    {
        keys[{platform::kHkeyLocalMachine, key}][value] = {type, std::move(bytes)};
    }

    std::int32_t RegOpenKeyExA(std::int32_t root, const std::string &subKey, std::uint32_t,
                               std::uint32_t accessMask, Key &result) override
    {
        opened.push_back(subKey);
        access.push_back(accessMask);
        const auto it = keys.find({root, subKey});
        if (it == keys.end())
            return platform::kErrorFileNotFound;
        result = m_next++;
        m_handles[result] = &it->second;
        open.insert(result);
        return platform::kErrorSuccess;
    }

    std::int32_t RegQueryValueExA(Key key, const std::string &valueName, std::uint32_t &type,
                                  std::uint8_t *data, std::uint32_t &size) override
    {
        if (!open.count(key))
            return platform::kErrorInvalidHandle;
        const auto &values = *m_handles.at(key);
        queried.push_back(valueName);
        const auto it = values.find(valueName);
        if (it == values.end())
            return platform::kErrorFileNotFound;
        const Value &value = it->second;
        type = value.type;
        if (value.bytes.size() > size) {
            size = std::uint32_t(value.bytes.size());
            return platform::kErrorMoreData;
        }
        std::copy(value.bytes.begin(), value.bytes.end(), data);
        size = std::uint32_t(value.bytes.size());
        return platform::kErrorSuccess;
    }

    std::int32_t RegCloseKey(Key key) override
    {
        return open.erase(key) ? platform::kErrorSuccess : platform::kErrorInvalidHandle;
    }

private:
    Key m_next = 0x1000;
    std::map<Key, const Values *> m_handles;
};

// Files that exist, by full path; a path in `unsearchable` raises an error.
class FakeFileTest final : public platform::FileTest
{
public:
    std::set<std::string> files;
    std::set<std::string> unsearchable;
    std::vector<std::string> asked;

    std::string Dir(const std::string &path) override
    {
        asked.push_back(path);
        if (unsearchable.count(path))
            throw platform::Error(platform::kBadFileName);
        if (!files.count(path))
            return {};
        return path.substr(path.find_last_of('\\') + 1);
    }
};

// Records each program started; a program in `failing` cannot start.
class FakeProgramStart final : public platform::ProgramStart
{
public:
    std::vector<std::pair<std::string, int>> started;
    std::set<std::string> failing;

    void Shell(const std::string &program, int showState) override
    {
        if (program.empty() || failing.count(program))
            throw platform::Error(platform::kFileNotFound);
        started.emplace_back(program, showState);
    }
};
