// The message box on QMessageBox.
#pragma once

#include "platform/message_box.h"

namespace platform {

// Qt's QMessageBox, modal over the window that is active when it is shown.
class QtMessageBox final : public MessageBox
{
public:
    Answer MsgBox(const std::string &prompt, Buttons buttons, Icon icon,
                  const std::optional<std::string> &title) override;
};

} // namespace platform
