#include "hexfile/InvalidIntegerValue.h"

#include "hexfile/HexMessages.h"

namespace velmora {

namespace {

std::string describe(const std::string& text)
{
    const std::string_view format = hexmessages::kInvalidIntegerFormat;
    const std::size_t placeholder = format.find("%s");
    std::string message(format.substr(0, placeholder));
    message += text;
    message += format.substr(placeholder + 2);
    return message;
}

} // namespace

InvalidIntegerValue::InvalidIntegerValue(const std::string& text) : std::runtime_error(describe(text)), text_(text) {}

} // namespace velmora
