// Environment settings of the program's own, kept from the programs it starts.
#pragma once

#include <QProcessEnvironment>

namespace platform {

// Settings that the program gives the libraries it runs on through its environment. They are
// the program's own: the programs it starts get the user's environment without them.

// Sets name to value unless the user's environment sets name already.
void setOwnEnvironment(const char *name, const char *value);
// Puts value, a switch, before the blank-separated switches the user's environment gives name:
// where both give the same switch, the user's comes later and wins.
void prependOwnEnvironment(const char *name, const char *value);

// The environment for a program that the program starts.
QProcessEnvironment environmentForPrograms();

} // namespace platform
