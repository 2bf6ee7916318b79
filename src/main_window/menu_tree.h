// One row of the main window's menu table.
#pragma once

#include <QStringView>

class frmBrowser;

// One item of the main window's menu bar. An "&" in the caption marks the access key.
struct MenuRow
{
    enum Kind { Submenu, Command, Separator };

    const char *control;
    QStringView caption;
    // The submenu the item hangs in; empty for the menu bar itself.
    const char *place;
    Kind kind;
    bool enabled;
    // Run when the item is chosen; null for submenus, separators and items without a handler.
    void (frmBrowser::*handler)();
};
