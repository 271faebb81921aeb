#include "tests/support/PinTrace.h"

#include <algorithm>
#include <cstddef>
#include <string>

namespace velmora::test {

namespace {

constexpr int CommandBits = 4;
constexpr int OperandBits = 16;
constexpr int ReadHalfBits = 8;

bool isReadCommand(std::uint8_t command)
{
    return command == 0x2 || (command >= 0x8 && command <= 0xB);
}

std::string bitString(const std::vector<std::uint8_t>& bits)
{
    std::string text;
    for (std::size_t i = 0; i < bits.size(); ++i) {
        if (i > 0 && i % 4 == 0) {
            text += ' ';
        }
        text += bits[i] != 0 ? '1' : '0';
    }
    return text;
}

// Assembles `count` pulse levels starting at `first`, least significant first.
template <typename Level>
std::uint32_t assemble(const std::vector<ClockPulse>& pulses, std::size_t first, int count, Level level)
{
    std::uint32_t value = 0;
    for (int bit = 0; bit < count; ++bit) {
        if (level(pulses[first + static_cast<std::size_t>(bit)]) != 0) {
            value |= 1U << bit;
        }
    }
    return value;
}

// Virtual time at which the trace ends, including a final wait.
std::uint64_t traceEnd(const std::vector<PinCall>& calls)
{
    if (calls.empty()) {
        return 0;
    }
    const PinCall& last = calls.back();
    const bool waited = last.kind == PinCallKind::Delay && last.succeeded;
    return last.time + (waited ? last.units : 0);
}

} // namespace

std::vector<PinCall> writesOf(const std::vector<PinCall>& calls)
{
    std::vector<PinCall> writes;
    for (const PinCall& call : calls) {
        if (call.kind == PinCallKind::Write && call.succeeded) {
            writes.push_back(call);
        }
    }
    return writes;
}

std::vector<ClockPulse> clockPulses(const std::vector<PinCall>& calls)
{
    std::vector<ClockPulse> pulses;
    std::uint8_t clock = 0;
    for (const PinCall& call : calls) {
        if (!call.succeeded) {
            continue;
        }
        if (call.kind == PinCallKind::Read) {
            if (clock != 0) {
                pulses.back().sampled = call.level;
            }
            continue;
        }
        if (call.kind != PinCallKind::Write) {
            continue;
        }
        if (clock == 0 && call.clock != 0) {
            ClockPulse pulse;
            pulse.riseTime = call.time;
            pulses.push_back(pulse);
        } else if (clock != 0 && call.clock == 0) {
            pulses.back().fallTime = call.time;
            pulses.back().fell = true;
            pulses.back().data = call.data;
        }
        clock = call.clock;
    }
    if (!pulses.empty() && !pulses.back().fell) {
        pulses.back().fallTime = traceEnd(calls);
    }
    return pulses;
}

std::vector<std::uint8_t> latchedBits(const std::vector<PinCall>& calls)
{
    std::vector<std::uint8_t> bits;
    for (const ClockPulse& pulse : clockPulses(calls)) {
        if (pulse.fell) {
            bits.push_back(pulse.data);
        }
    }
    return bits;
}

std::vector<IcspFrame> decodeIcspFrames(const std::vector<PinCall>& calls)
{
    const std::vector<ClockPulse> pulses = clockPulses(calls);
    const auto latched = [](const ClockPulse& pulse) { return pulse.fell ? pulse.data : 0; };
    const auto sampled = [](const ClockPulse& pulse) { return pulse.sampled.value_or(0); };

    std::vector<IcspFrame> frames;
    std::size_t next = 0;
    while (next < pulses.size()) {
        IcspFrame frame;
        const std::size_t left = pulses.size() - next;
        if (left < CommandBits) {
            frames.push_back(frame);
            break;
        }
        frame.command = static_cast<std::uint8_t>(assemble(pulses, next, CommandBits, latched));
        next += CommandBits;
        const bool read = isReadCommand(frame.command);
        const std::size_t operandPulses = read ? 2 * ReadHalfBits : OperandBits;
        const std::size_t available = std::min(operandPulses, pulses.size() - next);
        const int operandBits = static_cast<int>(std::min<std::size_t>(available, read ? ReadHalfBits : OperandBits));
        frame.operand = static_cast<std::uint16_t>(assemble(pulses, next, operandBits, latched));
        if (read && available == operandPulses) {
            frame.readValue = static_cast<std::uint8_t>(assemble(pulses, next + ReadHalfBits, ReadHalfBits, sampled));
        }
        frame.complete = available == operandPulses && pulses[next + available - 1].fell;
        next += available;
        frames.push_back(frame);
    }
    return frames;
}

std::uint64_t linesIdleSpan(const std::vector<PinCall>& calls, std::uint64_t from)
{
    std::optional<std::uint64_t> idleSince;
    for (const PinCall& call : writesOf(calls)) {
        if (call.time < from) {
            continue;
        }
        const bool idle = call.data == 0 && call.clock == 0;
        if (!idleSince && idle) {
            idleSince = call.time;
        } else if (idleSince && !idle) {
            return call.time - *idleSince;
        }
    }
    return idleSince ? traceEnd(calls) - *idleSince : 0;
}

std::vector<std::uint8_t> bitsLsbFirst(std::uint32_t value, int count)
{
    std::vector<std::uint8_t> bits;
    for (int bit = 0; bit < count; ++bit) {
        bits.push_back(static_cast<std::uint8_t>((value >> bit) & 1U));
    }
    return bits;
}

std::vector<std::uint8_t> concatBits(const std::vector<std::vector<std::uint8_t>>& parts)
{
    std::vector<std::uint8_t> bits;
    for (const auto& part : parts) {
        bits.insert(bits.end(), part.begin(), part.end());
    }
    return bits;
}

::testing::AssertionResult sameBits(const std::vector<std::uint8_t>& actual,
                                    const std::vector<std::uint8_t>& expected)
{
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    std::size_t firstDifference = 0;
    while (firstDifference < actual.size() && firstDifference < expected.size()
           && actual[firstDifference] == expected[firstDifference]) {
        ++firstDifference;
    }
    return ::testing::AssertionFailure()
        << "\n  actual   (" << actual.size() << " bits): " << bitString(actual)
        << "\n  expected (" << expected.size() << " bits): " << bitString(expected)
        << "\n  first difference at bit " << firstDifference;
}

} // namespace velmora::test
