// The save dialog interface, which asks where a download goes.
#pragma once

#include <QString>

namespace platform {

// Asks the user where to save a download.
class SaveDialog
{
public:
    virtual ~SaveDialog() = default;

    // Starts in the folder of the path proposed, with its name. The path the user chose, as the
    // dialog makes it of what was typed or browsed to; empty when the user cancels. Choosing an
    // existing file has been confirmed by the user.
    virtual QString askSavePath(const QString &proposed) = 0;
};

} // namespace platform
