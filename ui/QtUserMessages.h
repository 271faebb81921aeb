#pragma once
// The core's message boxes as real modal Qt message boxes: title by kind ("Error",
// "Information", "Warning"), the requested buttons, the button chosen as the answer.

#include "devicedata/UserMessages.h"

class QWidget;

namespace velmora {

class QtUserMessages : public UserMessages {
public:
    MessageButton showMessage(MessageKind kind, const std::string& text,
                              MessageButtons buttons) override;
    MessageButton askWithDefault(MessageKind kind, const std::string& text, MessageButtons buttons,
                                 MessageButton defaultButton) override;
};

} // namespace velmora
