// The About dialog's platform objects of the running program.
#include "platform/about_platform.h"

#include <QtGlobal>

#include "qt_message_box.h"
#ifdef Q_OS_WIN
#include "platform/windows/win_file_test.h"
#include "platform/windows/win_program_start.h"
#include "platform/windows/win_registry.h"
#else
#include "qt_file_test.h"
#include "qt_program_start.h"
#include "stand_in_registry.h"
#endif

namespace platform {

AboutPlatform makeQtAboutPlatform()
{
#ifdef Q_OS_WIN
    // The Windows calls themselves, as tests/windows checks them under Wine.
    return {std::make_unique<WinRegistry>(), std::make_unique<WinFileTest>(),
            std::make_unique<WinProgramStart>(), std::make_unique<QtMessageBox>()};
#else
    return {std::make_unique<StandInRegistry>(), std::make_unique<QtFileTest>(),
            std::make_unique<QtProgramStart>(), std::make_unique<QtMessageBox>()};
#endif
}

} // namespace platform
