#pragma once
// A fixture with the engine on a recording pin driver behind a fake progress window,
// and readers for the ICSP traffic it produced.

#include <cstdint>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "devicedata/DeviceRecord.h"
#include "engine/TPICPr.h"
#include "tests/engine/FakeProgressWindow.h"
#include "tests/support/PinTrace.h"
#include "tests/support/RecordingPinDriver.h"
#include "tests/support/ScopedPinDriver.h"

namespace velmora::test {

// A command and its operand as the target received them.
using Command = std::pair<std::uint8_t, std::uint16_t>;

inline constexpr std::uint8_t kCore = 0x0;
inline constexpr std::uint8_t kShiftOut = 0x2;
inline constexpr std::uint8_t kRead = 0x8;
inline constexpr std::uint8_t kReadInc = 0x9;
inline constexpr std::uint8_t kWrite = 0xC;
inline constexpr std::uint8_t kWriteInc = 0xD;
inline constexpr std::uint8_t kWriteStart = 0xF;

// A small strategy-1 device: 64 bytes of program memory, 16 of EEPROM.
DeviceRecord smallDevice();

std::vector<Command> commandsOf(const std::vector<PinCall>& calls);
std::size_t countCommand(const std::vector<Command>& commands, std::uint8_t command);
std::size_t countFrame(const std::vector<Command>& commands, Command frame);
// Position of `pattern` as a contiguous run inside `commands`, or npos.
std::size_t findSequence(const std::vector<Command>& commands, const std::vector<Command>& pattern,
                         std::size_t from = 0);
std::vector<Command> tablePointerSetUp(std::uint32_t address);
// The last successful write's Vpp level.
std::uint8_t lastVpp(const std::vector<PinCall>& calls);
std::size_t delaysOf(const std::vector<PinCall>& calls, std::uint32_t units);
// 1-based index of the call that starts ICSP frame `frame` (0-based): its first rising clock.
std::size_t callStartingFrame(const std::vector<PinCall>& calls, std::size_t frame);

class EngineTest : public ::testing::Test {
protected:
    EngineTest();
    void select(const DeviceRecord& record);
    std::vector<Command> commands() const { return commandsOf(pins.calls()); }
    // Scripts the device's answers to the next byte reads.
    void scriptBytes(const std::vector<std::uint8_t>& bytes);

    RecordingPinDriver pins;
    ScopedPinDriver scoped{pins};
    TPICPr engine;
    FakeProgressWindow window{engine};
    MemoryImage& image() { return engine.data().image; }
    // Every ending: busy and cancel clear, Vpp low.
    void expectCleanEnding();
};

} // namespace velmora::test
