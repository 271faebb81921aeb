// Arbitrary text as a Mask or SetMask value. A rejected value leaves the output
// untouched; an accepted one must read back the same after being written out as
// two-digit tokens. ParseHexDigits and ParseInteger get the same text.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "devicedata/IntegerText.h"
#include "devicedata/ParseHexDigits.h"
#include "devicedata/ParseMaskBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmora;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    ConfigBlock bytes;
    bytes.fill(0xA5);
    const ConfigBlock before = bytes;
    if (!ParseMaskBytes(text, bytes)) {
        if (bytes != before)
            __builtin_trap();
    } else {
        std::string written;
        for (std::uint8_t byte : bytes) {
            char token[4];
            std::snprintf(token, sizeof token, "%02X ", byte);
            written += token;
        }
        ConfigBlock reread{};
        if (!ParseMaskBytes(written, reread) || reread != bytes)
            __builtin_trap();
    }

    const std::uint32_t value = ParseHexDigits(text, 0xFFFFFFFFu);
    if (text.size() > 8 && value != 0xFFFFFFFFu)
        __builtin_trap();
    (void)ParseInteger(text);
    return 0;
}
