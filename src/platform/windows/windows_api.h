// The Windows API, for every Windows source of the program: include this, never <windows.h>.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

// <windows.h> makes MessageBox a macro for MessageBoxA, which would silently rename
// platform::MessageBox in any source that includes both; the program never calls the API's
// MessageBox by that name.
#ifdef MessageBox
#undef MessageBox
#endif
