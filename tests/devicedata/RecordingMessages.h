#pragma once
// Records every message box the core shows and answers with OK.

#include <string>
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
        return ButtonOk;
    }

    std::vector<RecordedMessage> shown;
};

} // namespace velmora::test
