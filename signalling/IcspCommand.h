#pragma once
// The 4-bit ICSP commands of the PIC18 flash programming protocol. Each travels in
// the low four bits of a byte, least significant bit first.

#include <cstdint>

namespace velmora {

enum class IcspCommand : std::uint8_t {
    CoreInstruction = 0x0,            // 0000: execute the operand as a core instruction
    ShiftOutTablat = 0x2,             // 0010: shift out TABLAT
    TableRead = 0x8,                  // 1000: table read
    TableReadPostIncrement = 0x9,     // 1001: table read, TBLPTR post-increment
    TableReadPostDecrement = 0xA,     // 1010: table read, TBLPTR post-decrement
    TableReadPreIncrement = 0xB,      // 1011: table read, TBLPTR pre-increment
    TableWrite = 0xC,                 // 1100: table write, operand = data
    TableWritePostIncrement2 = 0xD,   // 1101: table write, TBLPTR post-increment by 2
    TableWriteStartProgrammingPostIncrement2 = 0xE,  // 1110 (older families: post-decrement by 2)
    TableWriteStartProgramming = 0xF, // 1111: table write, start programming
};

constexpr std::uint8_t commandCode(IcspCommand command)
{
    return static_cast<std::uint8_t>(command);
}

} // namespace velmora
