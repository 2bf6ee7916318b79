// What an About dialog is handed from the outside world.
#pragma once

#include "file_test.h"
#include "message_box.h"
#include "program_start.h"
#include "registry.h"

#include <memory>

namespace platform {

// What an About dialog is handed from the outside world when it is made.
struct AboutPlatform
{
    std::unique_ptr<Registry> registry;
    std::unique_ptr<FileTest> files;
    std::unique_ptr<ProgramStart> programs;
    std::unique_ptr<MessageBox> messages;
};

// The platform objects of the running program: the system's registry where there is one.
AboutPlatform makeQtAboutPlatform();

} // namespace platform
