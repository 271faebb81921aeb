#include "devicedata/IntegerText.h"

#include <limits>

#include "devicedata/ParseHexDigits.h"

namespace velmora {

namespace {

constexpr std::size_t kMaxHexDigits = 8;
constexpr std::int64_t kMinInt32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMaxInt32 = std::numeric_limits<std::int32_t>::max();

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Strips a hex prefix; true when one was there.
bool consumeHexPrefix(std::string_view& text)
{
    if (text.starts_with("0x") || text.starts_with("0X")) {
        text.remove_prefix(2);
        return true;
    }
    if (text.starts_with('$') || text.starts_with('x') || text.starts_with('X')) {
        text.remove_prefix(1);
        return true;
    }
    return false;
}

std::optional<std::int32_t> parseHex(std::string_view digits, bool negative)
{
    if (digits.empty() || digits.size() > kMaxHexDigits)
        return std::nullopt;
    std::uint32_t word = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0)
            return std::nullopt;
        word = (word << 4) | static_cast<std::uint32_t>(digit);
    }
    if (!negative)
        return static_cast<std::int32_t>(word);
    const std::int64_t value = -static_cast<std::int64_t>(word);
    if (value < kMinInt32)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> parseDecimal(std::string_view digits, bool negative)
{
    if (digits.empty())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > kMaxInt32 + 1)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < kMinInt32 || value > kMaxInt32)
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

} // namespace

std::optional<std::int32_t> ParseInteger(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    bool negative = false;
    if (text.starts_with('-') || text.starts_with('+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (consumeHexPrefix(text))
        return parseHex(text, negative);
    return parseDecimal(text, negative);
}

} // namespace velmora
