#pragma once
// What every device operation shares: the engine's fields, the posting block, the
// ICSP steps with their failure messages, the cancel check and the switch-off. Each
// step returns false when the operation must leave its course; the reason is then in
// interruption().

#include <cstdint>
#include <functional>
#include <string>

#include "devicedata/DeviceImage.h"
#include "engine/CoreInstruction.h"
#include "engine/Interruption.h"
#include "engine/OperationOutcome.h"
#include "engine/PostingBlock.h"
#include "engine/WriteStrategyRules.h"
#include "signalling/IcspCommand.h"

namespace velmora {

class TPICPr;
struct ProgrammingOptions;

// What a reading loop does after a byte: go on (progress posted), stop the loop as
// done, or leave the operation (the visitor has recorded why).
enum class AfterByte { Next, Stop, Leave };
using ByteVisitor = std::function<AfterByte(std::uint32_t index, std::uint8_t value)>;

class IcspSession {
public:
    IcspSession(TPICPr& engine, PostingBlock& posting);

    TPICPr& engine;
    DeviceImage& data;
    MemoryImage& image;
    const SelectedDevice& device;
    const ProgrammingOptions& options;
    PostingBlock& post;

    const WriteStrategyRules& strategy() const { return rulesFor(device.writeStrategy); }

    const Interruption& interruption() const { return interruption_; }
    bool cancelled() const { return interruption_.kind == Interruption::Kind::Cancel; }
    // Records a failure; always false so that callers can return it.
    bool fail(std::string message);
    void keepImageOnFailure() { interruption_.keepImage = true; }

    // A check point: false (and a recorded cancel) when the cancel request is set.
    bool check();
    bool cancelRequested() const;

    // The start of every operation: code 0, busy, fresh displays.
    void open();
    // Every ending: the outcome for headless front ends, then busy and cancel cleared.
    void finish(OperationOutcome outcome);

    bool enterProgMode();
    bool wait300ms();
    // Delay(units); its failure is "Fault on delay.".
    bool pause(std::uint32_t units);
    bool core(CoreInstruction instruction);
    bool core(std::uint16_t instructionWord);
    bool tableWrite(IcspCommand command, std::uint16_t operand);
    // MOVLW/MOVWF for TBLPTRU, TBLPTRH and TBLPTRL.
    bool setTablePointer(Address address);
    // MOVLW/MOVWF EEADR, and EEADRH when the device has long EEPROM addresses.
    bool loadEepromAddress(std::uint32_t cell);
    // Table read with post-increment, or without it for the last byte of an area.
    bool readFlashByte(bool last, std::uint8_t& value);
    bool shiftOutTablat(std::uint8_t& value, const char* failureMessage);
    // One EEPROM cell: address posting, address and read instructions, check, shift-out.
    bool readEepromCell(std::uint32_t cell, std::uint8_t& value);
    // "Write instruction", table-pointer set-up to base, check, "Read byte".
    bool startTableRead(Address base);
    // startTableRead, then for each of count bytes: check, posting of base + i, a table
    // read with post-increment (without it for the last byte), the visitor, progress
    // i × 100 / (count − 1).
    bool readTable(Address base, std::uint32_t count, const ByteVisitor& visit);
    // "Write instruction", EECON1 at data EEPROM, check, then for each cell (only the
    // present ones when onlyPresent): check, readEepromCell, the visitor, progress.
    bool readEepromCells(bool onlyPresent, const ByteVisitor& visit);
    // EECON1 pointed at data EEPROM, at code memory, at the configuration space.
    bool selectEeprom();
    bool selectCodeMemory();
    bool selectConfigurationSpace();
    // Table-pointer set-up to 3C0006h and the programming-control value (strategy 1).
    bool writePanelMode(std::uint16_t value);
    static constexpr std::uint16_t kSinglePanelMode = 0x0000;
    bool programPulse();

    // "Turn on Vpp", EnterProgMode, check, the 300 ms wait, empty process text, check.
    bool raiseVpp();
    // raiseVpp, then the engine's device-ID check when it has one: the ID read and the
    // front end's verdict, whose refusal is recorded as the failure.
    bool enterProgramming();
    // The two device-ID bytes: table-pointer set-up to 3FFFFEh, a read with and one
    // without increment, with a check point before every command.
    bool readDeviceId(std::uint16_t& rawId);
    // Displays cleared, "Turn off Vpp", ExitProgMode and the 300 ms wait.
    bool switchOff();

    // The device's sizes, never beyond the image's buffers.
    std::uint32_t programSize() const;
    std::uint32_t eepromSize() const;

    // The endings shared by erase/program and verify.
    void failureExit();     // shows the recorded failure, switches off, closes the window
    void cancelExit();      // switches off; no message, no close request
    // A failed switch-off at an ending: its message, then done.
    void endAfterSwitchOffFailure();
    // Switch-off, then the final report in an information box; a cancel request found
    // after the switch-off ends quietly instead.
    void normalEnding(const std::string& report, OperationOutcome outcome);

private:
    Interruption interruption_;
};

// index × 100 / divisor, or 100 when divisor is 0 (a loop of one element).
std::uint16_t percent(std::uint32_t index, std::uint32_t divisor);

} // namespace velmora
