#pragma once
// One validated Intel HEX record, decoded from its text.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "hexfile/HexLineReader.h"

namespace velmora {

class HexRecord {
public:
    enum class Status { Valid, FormatError, ChecksumError };

    // Validates and decodes text, a line that starts with ":" (spaces already removed,
    // either case): at least 11 characters, all hex after the ":", exactly 11 + 2·LL of
    // them, and CC equal to the two's complement of the sum of the other bytes.
    Status parse(std::string_view text);

    std::uint8_t length() const { return bytes_[0]; }
    std::uint16_t offset() const { return static_cast<std::uint16_t>(bytes_[1] << 8 | bytes_[2]); }
    std::uint8_t type() const { return bytes_[3]; }
    std::span<const std::uint8_t> data() const { return {bytes_.data() + kHeaderBytes, length()}; }

private:
    static constexpr std::size_t kHeaderBytes = 4; // LL, AAAA, TT

    // LL, AAAA, TT, data and CC as bytes.
    std::array<std::uint8_t, (kMaxRecordTextLength - 1) / 2> bytes_{};
};

} // namespace velmora
