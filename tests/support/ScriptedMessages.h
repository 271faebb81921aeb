#pragma once
// A UserMessages that records every box and answers from a script; with the script
// used up, a question (a box with Yes) gets questionAnswer and any other box OK.

#include <algorithm>
#include <deque>
#include <string>
#include <string_view>
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
            return (buttons & ButtonYes) != 0 ? questionAnswer : ButtonOk;
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

    bool contains(std::string_view text) const
    {
        return std::any_of(shown.begin(), shown.end(), [&](const ShownMessage& m) { return m.text == text; });
    }

    bool containsPrefix(std::string_view prefix) const
    {
        return std::any_of(shown.begin(), shown.end(),
                           [&](const ShownMessage& m) { return m.text.starts_with(prefix); });
    }

    // True when exactly one box was shown, of that kind and text.
    bool showedOnly(MessageKind kind, std::string_view text) const
    {
        return shown.size() == 1 && shown[0].kind == kind && shown[0].text == text;
    }

    std::vector<ShownMessage> shown;
    std::deque<MessageButton> answers;
    MessageButton questionAnswer = ButtonNo;
};

} // namespace velmora::test
