// A fake message box that records what it shows.
#pragma once

#include "platform/message_box.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

// Records each message box and answers from a script (OK, or Ok when the script runs out).
class FakeMessageBox final : public platform::MessageBox
{
public:
    struct Shown
    {
        std::string prompt;
        Buttons buttons;
        Icon icon;
        std::optional<std::string> title;
    };
    std::vector<Shown> shown;
    std::deque<Answer> answers;

    Answer MsgBox(const std::string &prompt, Buttons buttons, Icon icon,
                  const std::optional<std::string> &title) override
    {
        shown.push_back({prompt, buttons, icon, title});
        if (answers.empty())
            return Ok;
        const Answer answer = answers.front();
        answers.pop_front();
        return answer;
    }
};
