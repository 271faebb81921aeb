#pragma once
// The host side of Microchip's published ICSP sequences (DS39622L, DS39583C,
// DS41398B, DS41357B and DS41297D for the K families, DS39687E, DS39644G and DS39688C
// for the J parts), sent
// through the signalling layer. Tests drive the simulated chip with these rather than
// with the engine, so that the chip is checked against the documents alone.

#include <cstdint>
#include <span>
#include <vector>

namespace velmora::test::published {

// 0000: one core instruction.
bool core(std::uint16_t instruction);
// MOVLW/MOVWF into TBLPTRU, TBLPTRH, TBLPTRL.
bool setTablePointer(std::uint32_t address);
// `count` bytes from `address` with 1001 (post-increment) reads.
std::vector<std::uint8_t> readBytes(std::uint32_t address, std::size_t count);
std::uint8_t readByte(std::uint32_t address);
// EECON1: EEPGD and CFGS as given.
bool selectSpace(bool eepgd, bool cfgs);

// Newer family bulk erase: 3C0005h <- option high byte, 3C0004h <- low byte, NOP,
// NOP with the lines held low for P11 + P10 (5.1 ms, or `waitUnits` of 5 us).
bool bulkEraseBufferFamily(std::uint16_t option, std::uint32_t waitUnits = 0);
// Older family: 3C0004h <- option, NOP, NOP held low.
bool bulkErasePanelFamily(std::uint8_t option);

// One write buffer at `address` (aligned, bytes.size() = buffer size); on the older
// family in single-panel mode, one 8-byte row.
bool writeBuffer(std::uint32_t address, std::span<const std::uint8_t> bytes);
// Older family: 3C0006h <- 40h (multi-panel) or 00h.
bool setPanelMode(bool multiPanel);
// Older family, multi-panel mode: rows[n] goes to panel n at `offset` inside each panel.
bool writeMultiPanelRows(std::uint32_t offset, const std::vector<std::vector<std::uint8_t>>& rows);
// One configuration byte with 1111 and the programming NOP; older chips first move the
// program counter out of the way with GOTO 100000h.
bool writeConfigByte(std::uint32_t address, std::uint8_t value, bool gotoFirst);

// Data EEPROM write (DS39622L Table 3-7): address, data, WREN, optional 55h/AAh,
// WR, then polls until WR clears and holds PGC low for P10. `polls` counts the polls.
bool writeEeprom(std::uint32_t cell, std::uint8_t value, bool longAddress, bool unlock, int& polls);
std::uint8_t readEeprom(std::uint32_t cell, bool longAddress);
// MOVF EECON1,W; MOVWF TABLAT; NOP; 0010.
std::uint8_t readEecon1();

// The K families (DS41398B Tables 3-3 to 3-9, and the 1XK22 and K20 tables drawn as
// them): every write with WREN set, a programming NOP held `pulseUnits` (P9, or P9A for
// configuration and IDs) and then low `dischargeUnits` (P10), both in 5 us units.
struct KWriteTiming {
    std::uint32_t pulseUnits;
    std::uint32_t dischargeUnits;
};
// P9 >= 1 ms, P9A >= 5 ms with 5 us to spare; P10 200 us on K22, 100 us on 1XK22 and K20.
inline constexpr KWriteTiming kK22Code {201, 40};
inline constexpr KWriteTiming kK22ConfigAndIds {1001, 40};
inline constexpr KWriteTiming kOneXK22K20Code {201, 20};
inline constexpr KWriteTiming kOneXK22K20Config {1001, 20};
// BSF EEPGD, BCF CFGS, BSF WREN; TBLPTR; 1101 x n; 1111; NOP held.
bool writeBufferWithWren(std::uint32_t address, std::span<const std::uint8_t> bytes, KWriteTiming timing);
// BSF EEPGD, BSF CFGS, BSF WREN; TBLPTR; 1111 with the byte; NOP held.
bool writeConfigByteWithWren(std::uint32_t address, std::uint8_t value, KWriteTiming timing);
// EEADR(H), EEDATA, BSF WREN, BSF WR, NOP, NOP (the write starts on the 24th clock
// after WR), poll WR, P10, BCF WREN; no EECON2 unlock unless `unlock`.
bool writeEepromTwoNops(std::uint32_t cell, std::uint8_t value, bool longAddress, bool unlock,
                        std::uint32_t dischargeUnits, int& polls);
// BSF EEPGD, BCF CFGS, BSF WREN; TBLPTR; BSF FREE, BSF WR, NOP, NOP; poll WR; P10;
// BCF WREN: the self-timed 64-byte row erase.
bool rowEraseSelfTimed(std::uint32_t address, std::uint32_t dischargeUnits, int& polls);
// Key entry with MCLR at logic level (DS41398B Fig 2-14): MCLR high briefly, low for
// `keyDelayUnits` (P18), the 32-bit key (MSb first unless `msbFirst` is false, data
// latched on the falling clock), 5 us (P20), MCLR high, `holdUnits` (P15).
bool enterByKey(std::uint32_t key, bool msbFirst, std::uint32_t keyDelayUnits, std::uint32_t holdUnits);
inline constexpr std::uint32_t kEntryKey = 0x4D434850;

// The J parts (DS39687E Tables 3-1 to 3-3, DS39644G, DS39688C): EECON1 has no EEPGD or
// CFGS, so a write is BSF WREN; TBLPTR; 1101 x 31; 1111; NOP held P9 then low P10.
// P9 3.4 ms (J10), 1.2 ms (other 2X/4X), 2.8 ms (6X/8X, J60), each with 5 us to spare;
// P10 400 ns on 6X/8X and J60 (one unit), none drawn on 2X/4X.
inline constexpr KWriteTiming kJ10Code {681, 0};
inline constexpr KWriteTiming kJ2X4XCode {241, 0};
inline constexpr KWriteTiming kJ6X8XJ60Code {561, 1};
// 0101h to 3C0005h and 8080h to 3C0004h: the J parts' only erase.
inline constexpr std::uint16_t kJChipErase = 0x0180;
bool writeBufferJ(std::uint32_t address, std::span<const std::uint8_t> bytes, KWriteTiming timing);
// BSF WREN; TBLPTR; BSF FREE; BSF WR; NOP whose fourth clock is held `holdUnits` (P10 on
// 2X/4X, P9 on J60), then low `lowUnits`.
bool rowEraseJ(std::uint32_t address, std::uint32_t holdUnits, std::uint32_t lowUnits);

// SendCommand whose fourth clock stays high `highUnits` (5 us each) and then low
// `lowUnits` more before the operand, instead of 1.005 ms and P10.
bool sendWithHeldFourthClock(std::uint8_t command, std::uint16_t operand, std::uint32_t highUnits,
                             std::uint32_t lowUnits = 20);
// SendCommand with `units` of idle lines between the command and its operand.
bool sendWithGap(std::uint8_t command, std::uint16_t operand, std::uint32_t units);

} // namespace velmora::test::published
