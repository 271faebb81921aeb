#pragma once
// The PIC18 core instructions and registers a programmer feeds through command 0000,
// as far as the simulated chip executes them. Access-bank forms only (a = 0).

#include <cstdint>

namespace velmora::sim {

// Opcode patterns; the low byte carries the literal or the register address.
enum class Opcode : std::uint16_t {
    Nop = 0x0000,            // NOP
    Movlw = 0x0E00,          // MOVLW k
    Movwf = 0x6E00,          // MOVWF f, ACCESS
    Clrf = 0x6A00,           // CLRF f, ACCESS
    MovfToW = 0x5000,        // MOVF f, W, ACCESS
    IncfToF = 0x2A00,        // INCF f, F, ACCESS
    Bsf = 0x8000,            // BSF f, b, ACCESS   (1000 bbb0 ffff ffff)
    Bcf = 0x9000,            // BCF f, b, ACCESS   (1001 bbb0 ffff ffff)
    GotoFirstWord = 0xEF00,  // GOTO k, first word: k<7:0>
    SecondWord = 0xF000,     // 1111 kkkk kkkk kkkk: GOTO's k<19:8>, a NOP on its own
};

inline constexpr std::uint16_t kOpcodeHighByte = 0xFF00;
inline constexpr std::uint16_t kBitOpcodeMask = 0xF100;  // BSF/BCF with a = 0
inline constexpr std::uint16_t kSecondWordMask = 0xF000;

// Special function registers by their access-bank address (low byte of 0FxxH).
enum class Sfr : std::uint8_t {
    Eecon1 = 0xA6,
    Eecon2 = 0xA7,
    Eedata = 0xA8,
    Eeadr = 0xA9,
    Eeadrh = 0xAA,
    Tablat = 0xF5,
    Tblptrl = 0xF6,
    Tblptrh = 0xF7,
    Tblptru = 0xF8,
};

// EECON1 bits.
enum Eecon1Bit : std::uint8_t {
    kRd = 0x01,
    kWr = 0x02,
    kWren = 0x04,
    kWrerr = 0x08,
    kFree = 0x10,
    kCfgs = 0x40,
    kEepgd = 0x80,
};
inline constexpr std::uint8_t kEecon1Implemented = 0xDF;  // bit 5 reads 0
// The J parts' EECON1 has no RD, CFGS or EEPGD: FREE, WRERR, WREN and WR.
inline constexpr std::uint8_t kJEecon1Implemented = 0x1E;

// The 4-bit ICSP commands as the chip decodes them.
enum class ChipCommand : std::uint8_t {
    CoreInstruction = 0x0,     // 0000
    ShiftOutTablat = 0x2,      // 0010
    TableRead = 0x8,           // 1000
    TableReadPostInc = 0x9,    // 1001
    TableReadPostDec = 0xA,    // 1010
    TableReadPreInc = 0xB,     // 1011
    TableWrite = 0xC,          // 1100
    TableWritePostInc2 = 0xD,  // 1101
    TableWrite1110 = 0xE,      // 1110: start programming + post-inc 2 (newer), post-dec 2 (older)
    TableWriteStart = 0xF,     // 1111
};

constexpr bool isReadCommand(std::uint8_t command)
{
    return command == static_cast<std::uint8_t>(ChipCommand::ShiftOutTablat)
        || (command >= static_cast<std::uint8_t>(ChipCommand::TableRead)
            && command <= static_cast<std::uint8_t>(ChipCommand::TableReadPreInc));
}

} // namespace velmora::sim
