#include "tests/engine/EngineTestSupport.h"

#include <algorithm>

namespace velmora::test {

DeviceRecord smallDevice()
{
    DeviceRecord record;
    record.name = "TEST64";
    record.programMemorySize = 64;
    record.eepromSize = 16;
    record.configType = 1;
    record.writeStrategy = WriteStrategy::Panels;
    record.writeBufferSize = 8;
    record.ccp2mxApp = true;
    return record;
}

std::vector<Command> commandsOf(const std::vector<PinCall>& calls)
{
    std::vector<Command> commands;
    for (const IcspFrame& frame : decodeIcspFrames(calls)) {
        if (frame.complete)
            commands.emplace_back(frame.command, frame.operand);
    }
    return commands;
}

std::size_t countCommand(const std::vector<Command>& commands, std::uint8_t command)
{
    return static_cast<std::size_t>(
        std::count_if(commands.begin(), commands.end(), [command](const Command& c) { return c.first == command; }));
}

std::size_t countFrame(const std::vector<Command>& commands, Command frame)
{
    return static_cast<std::size_t>(std::count(commands.begin(), commands.end(), frame));
}

std::size_t findSequence(const std::vector<Command>& commands, const std::vector<Command>& pattern, std::size_t from)
{
    if (from > commands.size())
        return std::string::npos;
    const auto it = std::search(commands.begin() + static_cast<std::ptrdiff_t>(from), commands.end(), pattern.begin(),
                                pattern.end());
    return it == commands.end() ? std::string::npos : static_cast<std::size_t>(it - commands.begin());
}

std::vector<Command> tablePointerSetUp(std::uint32_t address)
{
    return {{kCore, static_cast<std::uint16_t>(0x0E00 | ((address >> 16) & 0xFF))}, {kCore, 0x6EF8},
            {kCore, static_cast<std::uint16_t>(0x0E00 | ((address >> 8) & 0xFF))},  {kCore, 0x6EF7},
            {kCore, static_cast<std::uint16_t>(0x0E00 | (address & 0xFF))},         {kCore, 0x6EF6}};
}

std::uint8_t lastVpp(const std::vector<PinCall>& calls)
{
    for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
        if (it->kind == PinCallKind::Write && it->succeeded)
            return it->vpp;
    }
    return 0;
}

std::size_t delaysOf(const std::vector<PinCall>& calls, std::uint32_t units)
{
    return static_cast<std::size_t>(std::count_if(calls.begin(), calls.end(), [units](const PinCall& c) {
        return c.kind == PinCallKind::Delay && c.succeeded && c.units == units;
    }));
}

std::size_t callStartingFrame(const std::vector<PinCall>& calls, std::size_t frame)
{
    constexpr std::size_t kClocksPerFrame = 20;
    std::size_t rises = 0;
    std::uint8_t clock = 0;
    for (std::size_t i = 0; i < calls.size(); ++i) {
        const PinCall& c = calls[i];
        if (c.kind != PinCallKind::Write || !c.succeeded)
            continue;
        if (c.clock == 1 && clock == 0) {
            if (rises == frame * kClocksPerFrame)
                return i + 1;
            ++rises;
        }
        clock = c.clock;
    }
    return 0;
}

void EngineTest::expectCleanEnding()
{
    EXPECT_FALSE(engine.busy);
    EXPECT_FALSE(engine.cancelRequest);
    EXPECT_EQ(lastVpp(pins.calls()), 0);
    EXPECT_FALSE(window.closedWhileBusy());
}

EngineTest::EngineTest()
{
    select(smallDevice());
}

void EngineTest::select(const DeviceRecord& record)
{
    engine.data().SelectDevice(record);
    engine.data().ClearImage(true);
}

void EngineTest::scriptBytes(const std::vector<std::uint8_t>& bytes)
{
    for (std::uint8_t b : bytes)
        pins.scriptDataInByte(b);
}

} // namespace velmora::test
