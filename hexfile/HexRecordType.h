#pragma once
// Intel HEX record types (the TT field) that INHX32 files for PIC18 use.

#include <cstdint>

namespace velmora {

enum class HexRecordType : std::uint8_t {
    Data = 0x00,
    EndOfFile = 0x01,
    ExtendedSegmentAddress = 0x02,
    ExtendedLinearAddress = 0x04,
};

} // namespace velmora
