// The message box interface, with the values of the Windows flags.
#pragma once

#include <optional>
#include <string>

namespace platform {

// A modal message box: a prompt, a title, a set of buttons and an icon; it returns the button
// that the user pressed. The values are those of the Windows message box flags.
class MessageBox
{
public:
    enum Buttons { OkOnly = 0, AbortRetryIgnore = 2 };
    enum Icon { NoIcon = 0, Critical = 16, Information = 64 };
    enum Answer { Ok = 1, Abort = 3, Retry = 4, Ignore = 5 };

    virtual ~MessageBox() = default;

    // Without a title the box bears the application title. The first button is the default.
    virtual Answer MsgBox(const std::string &prompt, Buttons buttons, Icon icon,
                          const std::optional<std::string> &title = std::nullopt) = 0;
};

// The application title, which a message box without a title of its own bears.
inline constexpr const char *kApplicationTitle = "ZelTidewell";

} // namespace platform
