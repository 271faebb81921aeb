#pragma once
// Raised when a text that must be an integer is not one; the application's error hook
// shows what() in an error box.

#include <stdexcept>
#include <string>

namespace velmora {

class InvalidIntegerValue : public std::runtime_error {
public:
    explicit InvalidIntegerValue(const std::string& text);

    // The offending text itself.
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

} // namespace velmora
