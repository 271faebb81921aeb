#pragma once
// The host side of Microchip's published ICSP sequences (DS39622L, DS39583C), sent
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
// NOP with the lines held low for P11 + P10.
bool bulkEraseBufferFamily(std::uint16_t option);
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

// SendCommand whose fourth clock stays high `highUnits` (5 us each) and then low
// `lowUnits` more before the operand, instead of 1.005 ms and P10.
bool sendWithHeldFourthClock(std::uint8_t command, std::uint16_t operand, std::uint32_t highUnits,
                             std::uint32_t lowUnits = 20);
// SendCommand with `units` of idle lines between the command and its operand.
bool sendWithGap(std::uint8_t command, std::uint16_t operand, std::uint32_t units);

} // namespace velmora::test::published
