// A menu opened by Alt and its letter stays open when the Alt press is delivered late.
#pragma once

class QObject;

namespace platform {

// While a screen reader runs, Qt hands each key press to it first and delivers the press only
// when the screen reader has seen it, while Alt and a letter open their menu at once: a quick
// Alt+F opens the File menu, and then the late Alt press, which closes an open menu, closes it.
// This keeps an open menu from an Alt press that came before the key that opened it. An Alt
// pressed in an open menu still closes it. Installed once, on the application.
void keepMenusFromALateAlt(QObject *application);

} // namespace platform
