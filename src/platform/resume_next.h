// Resume-next error handling: steps that fail are skipped.
#pragma once

#include "error.h"

namespace platform {

// Runs each step in turn; a step that fails with a platform error is skipped silently and the
// next one runs. Any other exception is a fault of the program and passes on.
template <typename... Steps> void resumeNext(Steps &&...steps)
{
    const auto run = [](auto &&step) {
        try {
            step();
        } catch (const Error &) {
        }
    };
    (run(steps), ...);
}

} // namespace platform
