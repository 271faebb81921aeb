#pragma once
// Records every message box the core shows; questions (boxes with Yes) are answered
// with questionAnswer, everything else with OK.

#include <string>
#include <string_view>
#include <vector>

#include "devicedata/UserMessages.h"

namespace velmora::test {

struct RecordedMessage {
    MessageKind kind;
    std::string text;
    MessageButtons buttons;
};

class RecordingMessages : public UserMessages {
public:
    MessageButton showMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override
    {
        shown.push_back({kind, text, buttons});
        return (buttons & ButtonYes) != 0 ? questionAnswer : ButtonOk;
    }
    // True when exactly one box was shown, of that kind and text.
    bool showedOnly(MessageKind kind, std::string_view text) const
    {
        return shown.size() == 1 && shown[0].kind == kind && shown[0].text == text;
    }

    MessageButton questionAnswer = ButtonNo;
    std::vector<RecordedMessage> shown;
};

} // namespace velmora::test
