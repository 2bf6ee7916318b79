// The save dialog on Qt's file dialog.
#pragma once

#include "platform/save_dialog.h"

namespace platform {

// Qt's save dialog, over the active window; it asks before replacing a file.
class QtSaveDialog final : public SaveDialog
{
public:
    QString askSavePath(const QString &proposed) override;
};

} // namespace platform
