#include "devicedata/ParseMaskBytes.h"

#include "devicedata/ParseHexDigits.h"

namespace velmora {

namespace {
// What a token too long for ParseHexDigits converts to: above any byte, so it fails.
constexpr std::uint32_t kNotAByte = 0xFFFF;
constexpr std::uint32_t kMaxByte = 0xFF;
} // namespace

bool ParseMaskBytes(std::string_view text, ConfigBlock& bytes)
{
    ConfigBlock parsed{};
    std::size_t count = 0;
    std::size_t tokenStart = 0;
    bool inToken = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool isDigit = HexDigitValue(c) >= 0;
        if (!isDigit && c != ' ')
            return false;
        if (isDigit && !inToken) {
            tokenStart = i;
            inToken = true;
        }
        const bool tokenEnds = inToken && (c == ' ' || i + 1 == text.size());
        if (!tokenEnds)
            continue;
        if (count == parsed.size())
            return false;
        const std::size_t tokenEnd = isDigit ? i + 1 : i;
        const std::uint32_t value = ParseHexDigits(text.substr(tokenStart, tokenEnd - tokenStart), kNotAByte);
        if (value > kMaxByte)
            return false;
        parsed[count++] = static_cast<std::uint8_t>(value);
        inToken = false;
    }
    if (count != parsed.size())
        return false;
    bytes = parsed;
    return true;
}

} // namespace velmora
