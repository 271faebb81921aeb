#pragma once
// PIC18 core instructions the engine executes on the target through ICSP command 0000.
// Special function registers are addressed through the access bank; EECON1 bits:
// RD 0, WR 1, WREN 2, FREE 4, CFGS 6, EEPGD 7.

#include <array>
#include <cstdint>

namespace velmora {

enum class CoreInstruction : std::uint16_t {
    Nop = 0x0000,              // NOP
    MovlwZero = 0x0E00,        // MOVLW 00h (add the literal for other values: movlw())
    MovwfTblptru = 0x6EF8,     // MOVWF TBLPTRU
    MovwfTblptrh = 0x6EF7,     // MOVWF TBLPTRH
    MovwfTblptrl = 0x6EF6,     // MOVWF TBLPTRL
    MovwfTablat = 0x6EF5,      // MOVWF TABLAT
    MovwfEeadr = 0x6EA9,       // MOVWF EEADR
    MovwfEeadrh = 0x6EAA,      // MOVWF EEADRH
    MovwfEedata = 0x6EA8,      // MOVWF EEDATA
    MovwfEecon2 = 0x6EA7,      // MOVWF EECON2
    MovfEedataW = 0x50A8,      // MOVF EEDATA, W
    MovfEecon1W = 0x50A6,      // MOVF EECON1, W
    BsfEecon1Eepgd = 0x8EA6,   // BSF EECON1, EEPGD
    BcfEecon1Eepgd = 0x9EA6,   // BCF EECON1, EEPGD
    BsfEecon1Cfgs = 0x8CA6,    // BSF EECON1, CFGS
    BcfEecon1Cfgs = 0x9CA6,    // BCF EECON1, CFGS
    BsfEecon1Bit3 = 0x86A6,    // BSF EECON1, 3 (sent before the 3C0006h set-up of strategy 1)
    BsfEecon1Wren = 0x84A6,    // BSF EECON1, WREN
    BcfEecon1Wren = 0x94A6,    // BCF EECON1, WREN
    BsfEecon1Wr = 0x82A6,      // BSF EECON1, WR
    BsfEecon1Rd = 0x80A6,      // BSF EECON1, RD
    BsfEecon1Free = 0x88A6,    // BSF EECON1, FREE (the row erase of the newer families)
    IncfTblptrl = 0x2AF6,      // INCF TBLPTRL, F
    GotoFirstWord = 0xEF00,    // GOTO 100000h, first word
    GotoSecondWord = 0xF800,   // GOTO 100000h, second word
};

// MOVLW value
constexpr std::uint16_t movlw(std::uint8_t value)
{
    return static_cast<std::uint16_t>(static_cast<std::uint16_t>(CoreInstruction::MovlwZero) | value);
}

constexpr std::uint16_t word(CoreInstruction instruction)
{
    return static_cast<std::uint16_t>(instruction);
}

// MOVLW/MOVWF into TBLPTRU, TBLPTRH and TBLPTRL: the table pointer set to address.
constexpr std::array<std::uint16_t, 6> tablePointerWords(std::uint32_t address)
{
    return {movlw(static_cast<std::uint8_t>(address >> 16)), word(CoreInstruction::MovwfTblptru),
            movlw(static_cast<std::uint8_t>(address >> 8)), word(CoreInstruction::MovwfTblptrh),
            movlw(static_cast<std::uint8_t>(address)), word(CoreInstruction::MovwfTblptrl)};
}

} // namespace velmora
