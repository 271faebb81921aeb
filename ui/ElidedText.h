#pragma once
// Text from the user (a port init string, say) can be any length; a message box that
// quotes it whole grows past the screen. The box shows its ends and how long it is.

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr std::size_t kLongestQuotedText = 120;

// The text itself when it has at most `longest` bytes; otherwise its first and last
// longest/2 bytes (never splitting a UTF-8 character) around a note of its length.
std::string ElideMiddle(std::string_view text, std::size_t longest = kLongestQuotedText);

} // namespace velmora
