// The save dialog interface, which asks where a download goes.
#pragma once

#include <QString>

namespace platform {

// The user's answer to a save dialog: the path chosen (empty when the user cancels), and the
// folder the dialog was showing then. The two can differ: a dialog may expand a "~" or follow
// a ".." typed into its name field.
struct SaveAnswer
{
    QString path;
    QString folder;
};

// Asks the user where to save a download.
class SaveDialog
{
public:
    virtual ~SaveDialog() = default;

    // Starts in the folder of the path proposed, with its name. Choosing an existing file has
    // been confirmed by the user.
    virtual SaveAnswer askSavePath(const QString &proposed) = 0;
};

} // namespace platform
