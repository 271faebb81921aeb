#pragma once
// A UserMessages that records every box and answers from a script (OK when empty).

#include <deque>
#include <string>
#include <vector>

#include "devicedata/UserMessages.h"

namespace velmora::test {

struct ShownMessage {
    MessageKind kind;
    std::string text;
    MessageButtons buttons;
    MessageButton defaultButton = ButtonNone;
};

class ScriptedMessages : public UserMessages {
public:
    MessageButton showMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override
    {
        shown.push_back({kind, text, buttons});
        if (answers.empty())
            return ButtonOk;
        const MessageButton answer = answers.front();
        answers.pop_front();
        return answer;
    }

    MessageButton askWithDefault(MessageKind kind, const std::string& text, MessageButtons buttons,
                                 MessageButton defaultButton) override
    {
        const MessageButton answer = showMessage(kind, text, buttons);
        shown.back().defaultButton = defaultButton;
        return answer;
    }

    bool contains(const std::string& text) const
    {
        for (const ShownMessage& message : shown) {
            if (message.text == text)
                return true;
        }
        return false;
    }

    bool containsPrefix(const std::string& prefix) const
    {
        for (const ShownMessage& message : shown) {
            if (message.text.rfind(prefix, 0) == 0)
                return true;
        }
        return false;
    }

    std::vector<ShownMessage> shown;
    std::deque<MessageButton> answers;
};

} // namespace velmora::test
