#pragma once
// Splits the bytes of a HEX file into lines and keeps of each line only what the
// loader looks at: its characters other than space (0x20) and BEL (0x07), up to the
// length of the longest valid record. Memory stays bounded however long a line is.

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "hexfile/ByteSource.h"

namespace velmora {

// ":" + LL + AAAA + TT + 255 data bytes + CC.
inline constexpr std::size_t kMaxRecordTextLength = 11 + 2 * 255;

class HexLineReader {
public:
    enum class Status { Line, End, ReadError };

    explicit HexLineReader(ByteSource& source);

    // Moves to the next line. CR, LF and CR LF each end a line; a last line without
    // an ending still counts when it has any character.
    Status next();

    // The current line without spaces and BELs; cut short when overlong() is true.
    std::string_view line() const { return {line_.data(), lineLength_}; }
    // True when the cleaned line is longer than any valid record.
    bool overlong() const { return overlong_; }
    // 1-based number of the current line, counting every line read.
    std::uint64_t lineNumber() const { return lineNumber_; }

private:
    bool refill();
    std::size_t findLineEnd();
    void append(const char* begin, const char* end);

    ByteSource& source_;
    std::vector<char> chunk_;
    std::size_t position_ = 0;
    std::size_t filled_ = 0;
    // Where the next CR and LF at or after position_ are (filled_ when none); found
    // with memchr and kept until passed, so finding line ends stays linear.
    std::size_t nextCr_ = 0;
    std::size_t nextLf_ = 0;
    bool skipLineFeed_ = false;
    bool sourceEnded_ = false;
    bool readFailed_ = false;

    std::array<char, kMaxRecordTextLength> line_{};
    std::size_t lineLength_ = 0;
    bool overlong_ = false;
    std::uint64_t lineNumber_ = 0;
};

} // namespace velmora
