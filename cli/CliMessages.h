#pragma once
// Message boxes of the HEX loader, the checksum step and the device data on a
// terminal. Nobody is there to answer, so a question is declined; the runner then
// stops before anything reaches the chip.

#include <cstdio>

#include "devicedata/UserMessages.h"

namespace velmora::cli {

class CliMessages final : public UserMessages {
public:
    CliMessages(std::FILE* out, std::FILE* err) : out_(out), err_(err) {}
    MessageButton showMessage(MessageKind kind, const std::string& text, MessageButtons buttons) override;

    bool errorShown() const { return errorShown_; }
    bool questionDeclined() const { return questionDeclined_; }
    void reset();

private:
    std::FILE* out_;
    std::FILE* err_;
    bool errorShown_ = false;
    bool questionDeclined_ = false;
};

} // namespace velmora::cli
