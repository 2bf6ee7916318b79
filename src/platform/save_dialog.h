// The save dialog interface, which asks where a download goes.
#pragma once

#include <QString>

namespace platform {

// Asks the user where to save a download.
class SaveDialog
{
public:
    virtual ~SaveDialog() = default;

    // The path chosen, starting from the one proposed; empty when the user cancels. Choosing
    // an existing file has been confirmed by the user.
    virtual QString askSavePath(const QString &proposed) = 0;
};

} // namespace platform
