// Zel Tidewell — a small desktop news reader.
#include "platform/about_platform.h"

#include <QtGlobal>

#include "qt_file_test.h"
#include "qt_message_box.h"
#include "qt_program_start.h"
#ifdef Q_OS_WIN
#include "platform/windows/win_registry.h"
#else
#include "stand_in_registry.h"
#endif

namespace platform {

AboutPlatform makeQtAboutPlatform()
{
#ifdef Q_OS_WIN
    auto registry = std::make_unique<WinRegistry>();
#else
    auto registry = std::make_unique<StandInRegistry>();
#endif
    return {std::move(registry), std::make_unique<QtFileTest>(), std::make_unique<QtProgramStart>(),
            std::make_unique<QtMessageBox>()};
}

} // namespace platform
