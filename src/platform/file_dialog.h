// The file-open dialog interface.
#pragma once

#include <QString>

namespace platform {

// A file-open dialog that keeps its title, filter and last file name between uses.
class FileDialog
{
public:
    virtual ~FileDialog() = default;

    virtual void setDialogTitle(const QString &title) = 0;
    // Descriptions and their patterns, each separated from the next by "|":
    // "WebPages|*.htm; *.html".
    virtual void setFilter(const QString &filter) = 0;
    // Shows the dialog modally; raises platform::Error kCancel when the user cancels.
    virtual void ShowOpen() = 0;
    // The full path of the file chosen.
    virtual QString FileName() const = 0;
};

} // namespace platform
