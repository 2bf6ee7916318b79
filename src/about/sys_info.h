// Finding and starting the system information tool, in plain C++ over the platform interfaces.
#pragma once

#include "platform/file_test.h"
#include "platform/message_box.h"
#include "platform/program_start.h"
#include "platform/registry.h"

#include <cstdint>
#include <string>

namespace sysinfo {

struct Platform
{
    platform::Registry &registry;
    platform::FileTest &files;
    platform::ProgramStart &programs;
    platform::MessageBox &messages;
};

inline constexpr const char *kUnavailable = "System Information Is Unavailable At This Time";

// Reads one registry value as text into KeyVal: a text value as it is, a number in decimal,
// and for any other type KeyVal is left as it was passed in. Returns false, with KeyVal empty,
// when the value cannot be read. A value with no data at all raises platform::Error.
bool GetKeyValue(platform::Registry &registry, const std::int32_t &KeyRoot,
                 const std::string &KeyName, const std::string &SubKeyRef, std::string &KeyVal);

// Starts the system information tool, or tells the user that it is unavailable.
void StartSysInfo(const Platform &platform);

} // namespace sysinfo
