#pragma once
// The PIC18 ICSP steps of the 4-bit command protocol: core instructions, the table
// pointer, table reads and writes, EEPROM cells, the panel and buffer write set-up, the
// erase keys and the programming pulse. Where the device's family differs (waits, write
// enable, the EEPROM write's start, the entry) a step asks the family's row. They know
// no postings: a step looks for a cancel and records its failure only through the
// StepGuard.

#include <cstdint>
#include <span>

#include "devicedata/MemoryImage.h"
#include "engine/EntryChoice.h"
#include "engine/WriteStrategyRules.h"
#include "engine/classic/CoreInstruction.h"
#include "engine/frame/BlockSource.h"
#include "engine/frame/ProgrammingMode.h"
#include "engine/frame/StepGuard.h"
#include "signalling/EntryWiring.h"
#include "signalling/IcspCommand.h"

namespace velmora {

class ReadByteQueue;

class ClassicIcsp final : public ProgrammingMode, public BlockSource {
public:
    ClassicIcsp(StepGuard& guard, const SelectedDevice& device, EntryWiring wiring);

    // The entry the wiring has for the device's family; "Fault turning on Vpp" and
    // "Fault turning off Vpp" are their failures. An entry the wiring cannot make is
    // refused before any line moves, and leaving it then moves none either.
    bool enter() override;
    bool leave() override;

    // As many bytes as the pin driver resolves in one exchange (ReadBlockBytes): one
    // when it drives the lines call by call, so a cancel is felt between any two bytes.
    std::uint32_t blockSize() const override;
    bool pointAt(Address address) override { return setTablePointer(address); }
    // Table reads with post-increment; the last byte of an area without it.
    bool readBlock(std::span<std::uint8_t> into, bool endsArea) override;

    bool core(CoreInstruction instruction);
    bool core(std::uint16_t instructionWord);
    bool tableWrite(IcspCommand command, std::uint16_t operand);
    // MOVLW/MOVWF for TBLPTRU, TBLPTRH and TBLPTRL.
    bool setTablePointer(Address address);
    // The same with a check point before every instruction.
    bool setTablePointerChecked(Address address);
    // MOVLW/MOVWF EEADR, and EEADRH when the device has long EEPROM addresses.
    bool loadEepromAddress(std::uint32_t cell);
    // The addressed EEPROM cell read and moved into TABLAT.
    bool latchEepromCell();
    bool shiftOutTablat(std::uint8_t& value, const char* failureMessage);
    // The same shift-out queued with other reads, its byte handed out by resolveReads;
    // both fail with "Fault on reading byte.".
    bool queueShiftOutTablat(ReadByteQueue& reads);
    bool resolveReads(ReadByteQueue& reads, std::span<std::uint8_t> values);
    // The addressed cell's write started: value, write enable, the unlock keys where
    // the family has them, WR and its NOPs.
    bool startEepromWrite(std::uint8_t value);
    // The self-timed erase of the 64-byte row at address: code memory, write enable,
    // the table pointer, FREE, WR and its NOPs.
    bool startRowErase(Address address);
    // Polls WR, with a check point after every look, until it reads clear. No pause and
    // no limit: a device that never finishes is left to the user's Cancel.
    bool waitWhileWriting();
    // Write enable cleared once a self-timed write is done.
    bool clearWriteEnable();
    // BSF WREN where the family wants it before code, ID and configuration writes.
    bool enableWrites();
    // EECON1 pointed at data EEPROM, at code memory, at the configuration space.
    bool selectEeprom();
    bool selectCodeMemory();
    bool selectConfigurationSpace();
    // Table-pointer set-up to 3C0006h and the programming-control value (strategy 1).
    bool writePanelMode(std::uint16_t value);
    static constexpr std::uint16_t kSinglePanelMode = 0x0000;
    enum class WriteKind { Code, IdsAndConfiguration };
    // The NOP whose fourth clock is held for the family's P9 (code) or P9A.
    bool programPulse(WriteKind kind = WriteKind::Code);
    // Each key written to its control address, then a NOP.
    bool loadEraseKeys(std::span<const EraseKey> keys);
    // The NOP during which the erase runs, the lines low between command and operand.
    bool eraseWait();

private:
    // Whether WR still reads set, from EECON1 shifted out through TABLAT.
    bool writing(bool& isWriting);
    // BSF WR and the NOPs on whose last the self-timed write starts.
    bool startSelfTimedWrite();

    StepGuard& guard_;
    const SelectedDevice& device_;
    const WriteStrategyRules& rules_;
    const EntryMethod entry_;
    const EntryWiring wiring_;
};

} // namespace velmora
