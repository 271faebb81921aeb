#pragma once
// The core's only way to talk to the user: a modal message box with a kind and
// buttons that returns the button chosen. The Qt UI implements it with real
// message boxes; tests implement it with a recorder that scripts the answers.

#include <cstdint>
#include <string>

namespace velmora {

enum class MessageKind : std::uint8_t { Error = 1, Information = 2, Warning = 3 };

enum MessageButton : std::uint16_t {
    ButtonNone = 0,
    ButtonOk = 1 << 0,
    ButtonYes = 1 << 1,
    ButtonNo = 1 << 2,
    ButtonRetry = 1 << 3,
    ButtonAbort = 1 << 4,
};
using MessageButtons = std::uint16_t;

class UserMessages {
public:
    virtual ~UserMessages() = default;
    // Shows text (lines broken with "\r\n") and returns the button that closed the box.
    virtual MessageButton showMessage(MessageKind kind, const std::string& text,
                                      MessageButtons buttons) = 0;
    // The same box with the button that Enter presses named, for a question whose safe
    // answer is not the first button; a box without keys needs nothing more.
    virtual MessageButton askWithDefault(MessageKind kind, const std::string& text, MessageButtons buttons,
                                         MessageButton /*defaultButton*/)
    {
        return showMessage(kind, text, buttons);
    }
};

// Convenience for the common case: an error box with one OK button.
inline void showError(UserMessages& messages, const std::string& text)
{
    messages.showMessage(MessageKind::Error, text, ButtonOk);
}

} // namespace velmora
