// Zel Tidewell — a small desktop news reader.
#pragma once

#include <chrono>

namespace platform {

// The monotonic clock's time in seconds, as the program's trace lines give it: the clock the
// sample site stamps its log with, so that script/bench can set the two side by side.
inline double traceSeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace platform
