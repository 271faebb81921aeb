#pragma once
// The application-wide error hook: an error that no command handled ends up here and
// is shown in an error box. The masked-edit validation error has its own text; any
// other error shows its own message.

#include <exception>
#include <stdexcept>

namespace velmora {

class UserMessages;

// Raised when the user leaves a masked edit field whose text does not fill its mask.
class MaskedEditValidationError : public std::runtime_error {
public:
    MaskedEditValidationError();
};

class ErrorHook {
public:
    // The message boxes the hook shows its errors in; nullptr restores Qt's own boxes.
    static void install(UserMessages* messages);
    static void handle(const std::exception& error);

    // Runs a command; an error escaping it goes to the hook and the program carries on.
    template <typename Command>
    static void guard(Command&& command)
    {
        try {
            command();
        } catch (const std::exception& error) {
            handle(error);
        }
    }
};

} // namespace velmora
