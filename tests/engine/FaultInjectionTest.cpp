// One pin-interface or delay call fails, at call k sampled over a whole program and a
// whole read on the simulated chip; or the user presses Cancel at sampled moments.
// Whatever the moment, the operation must end with the right message (none for a
// cancel), busy and cancel clear, the window closed as the runner expects, and Vpp low
// unless switching it off is what failed.

#include <algorithm>
#include <set>

#include <gtest/gtest.h>

#include "engine/EngineTexts.h"
#include "tests/engine/ChipUnderTest.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/engine/FaultyPinDriver.h"
#include "tests/support/PinTrace.h"

namespace velmora::test {
namespace {

using Kind = BridgeEvent::Kind;

constexpr const char* kChip = "PIC18F1220";
constexpr std::size_t kSamples = 30;

void plantImage(MemoryImage& image)
{
    for (int a = 0x100; a < 0x118; ++a)
        image.programMemory[a] = static_cast<std::uint8_t>(a);
    image.eeprom[0] = 0x11;
    image.eeprom[5] = 0x55;
    image.ids[0] = 0x01;
}

void plantChip(SimHarness& sim)
{
    for (int a = 0x100; a < 0x118; ++a)
        sim.memory().programMemory()[static_cast<std::size_t>(a)] = static_cast<std::uint8_t>(a);
    sim.memory().eeprom()[0] = 0x11;
}

// What a call of the fault-free trace was part of, and so which message its failure gives.
struct FailedStep {
    std::string message;
    bool switchingOff = false;    // the failing call is ExitProgMode's write: Vpp stays high
    bool eepromAddress = false;   // a read's EEPROM address instruction: the image is kept
};

FailedStep classify(const std::vector<PinCall>& calls, std::size_t k)
{
    const PinCall& failing = calls[k - 1];
    if (failing.kind == PinCallKind::Delay && failing.units == 60000)
        return {texts::kFaultDelay};

    // Entering: W(0,1,0) D(40000) W(0,0,0) D(1) W(1,0,0) D(2).
    for (std::size_t i = 0; i + 1 < calls.size() && i < k; ++i) {
        const PinCall& c = calls[i];
        if (c.kind == PinCallKind::Write && c.vpp == 0 && c.data == 1 && calls[i + 1].kind == PinCallKind::Delay
            && calls[i + 1].units == 40000 && k - 1 <= i + 5)
            return {texts::kFaultTurningOnVpp};
    }
    // Leaving: W(0,0,0) after Vpp was high, then D(1).
    std::uint8_t vpp = 0;
    for (std::size_t i = 0; i < k; ++i) {
        const PinCall& c = calls[i];
        if (c.kind != PinCallKind::Write)
            continue;
        if (vpp == 1 && c.vpp == 0) {
            if (i == k - 1)
                return {texts::kFaultTurningOffVpp, true};
            if (i + 1 == k - 1)
                return {texts::kFaultTurningOffVpp};
        }
        vpp = c.vpp;
    }

    // Inside an ICSP frame: find it by counting rising clock edges.
    std::size_t rises = 0;
    std::uint8_t clock = 0;
    bool risesHere = false;
    for (std::size_t i = 0; i < k; ++i) {
        const PinCall& c = calls[i];
        if (c.kind != PinCallKind::Write)
            continue;
        risesHere = c.clock == 1 && clock == 0;
        if (risesHere)
            ++rises;
        clock = c.clock;
    }
    const std::size_t frameIndex = (rises - 1) / 20;
    const auto frames = decodeIcspFrames(calls);
    const IcspFrame& frame = frames.at(frameIndex);
    const auto pulses = clockPulses(calls);
    const bool heldClock = pulses.at(frameIndex * 20 + 3).highTime() > 100;
    switch (frame.command) {
    case 0x8:
    case 0x9:
        return {texts::kFaultReadingByte};
    case 0x2: {
        const bool polling = frameIndex >= 3 && frames[frameIndex - 3].operand == 0x50A6;
        return {polling ? texts::kFaultReadingInstruction : texts::kFaultReadingByte};
    }
    case 0x0: {
        // The erase NOP keeps the lines low 5.1 ms after its command bits.
        const std::size_t next = frameIndex + 1 < frames.size() ? frameIndex + 1 : frameIndex;
        const bool eraseNop = frame.operand == 0 && frameIndex > 0 && frames[frameIndex - 1].command == 0
            && frames[frameIndex - 2].command == 0xC && frames[frameIndex - 2].operand != 0x0000
            && frames[frameIndex - 2].operand != 0x0040;
        if (heldClock)
            return {texts::kFaultProgramming};
        if (eraseNop)
            return {texts::kFaultWritingInstructionWithDelay};
        const bool address = frame.operand == 0x6EA9 || frame.operand == 0x6EAA
            || ((frame.operand & 0xFF00) == 0x0E00
                && (frames[next].operand == 0x6EA9 || frames[next].operand == 0x6EAA));
        return {texts::kFaultWritingInstruction, false, address};
    }
    default:
        return {texts::kFaultWritingInstruction};
    }
}

// The chip complains about whatever a broken-off request leaves on its pins; those
// complaints are the fault's, not the engine's.
void acceptViolationsOfTheFault(SimHarness& sim)
{
    std::set<sim::ViolationKind> kinds;
    for (const sim::Violation& v : sim.violations())
        kinds.insert(v.kind);
    for (sim::ViolationKind kind : kinds)
        sim.expectViolation(kind);
    sim.checkViolations();
}

std::vector<std::size_t> sampled(std::size_t count)
{
    std::set<std::size_t> ks;
    for (std::size_t k = 1; k <= std::min<std::size_t>(count, 8); ++k)
        ks.insert(k);
    for (std::size_t i = 0; i < kSamples; ++i)
        ks.insert(1 + i * (count - 1) / (kSamples - 1));
    for (std::size_t k = count > 8 ? count - 7 : 1; k <= count; ++k)
        ks.insert(k);
    return {ks.begin(), ks.end()};
}

std::vector<PinCall> baselineOf(std::uint8_t code)
{
    ChipUnderTest t(kChip);
    plantImage(t.image());
    plantChip(t.sim);
    FaultyPinDriver pins(t.sim);
    t.run(code);
    EXPECT_EQ(t.window.eventsOf(Kind::MessageBox).size(), 1U);
    EXPECT_EQ(t.window.eventsOf(Kind::MessageBox).at(0).messageKind, MessageKind::Information);
    return pins.calls();
}

void injectEachFault(std::uint8_t code)
{
    const auto baseline = baselineOf(code);
    ASSERT_GT(baseline.size(), 1000U);
    for (std::size_t k : sampled(baseline.size())) {
        SCOPED_TRACE("failing call " + std::to_string(k) + " of " + std::to_string(baseline.size()));
        const FailedStep step = classify(baseline, k);
        ChipUnderTest t(kChip);
        plantImage(t.image());
        plantChip(t.sim);
        {
            FaultyPinDriver pins(t.sim, k);
            t.run(code);
            const auto calls = pins.calls();
            ASSERT_GE(calls.size(), k);
            EXPECT_FALSE(calls[k - 1].succeeded);
            EXPECT_EQ(lastVpp(calls), step.switchingOff ? 1 : 0);
        }
        EXPECT_EQ(t.window.messageTexts(), std::vector<std::string>{step.message});
        EXPECT_EQ(t.window.eventsOf(Kind::MessageBox).at(0).messageKind, MessageKind::Error);
        EXPECT_EQ(t.window.effectiveCloses(), 1);
        EXPECT_FALSE(t.window.closedWhileBusy());
        EXPECT_FALSE(t.engine.busy);
        EXPECT_FALSE(t.engine.cancelRequest);
        EXPECT_EQ(t.engine.lastOutcome, OperationOutcome::Failed);
        if (code == OperationRead && !step.eepromAddress) {
            EXPECT_EQ(t.image().programMemory[0x100], kBlank) << "a failed read leaves a blank image";
        }
        acceptViolationsOfTheFault(t.sim);
    }
}

TEST(FaultInjection, AnyFailingCallOfAProgramEndsCleanly)
{
    injectEachFault(OperationProgram);
}

TEST(FaultInjection, AnyFailingCallOfAReadEndsCleanly)
{
    injectEachFault(OperationRead);
}

void cancelAtSampledMoments(std::uint8_t code)
{
    std::size_t postings = 0;
    // The last check point lies before the closing, whose first posting to go out
    // empties the action text of the last area.
    std::size_t closing = 0;
    {
        ChipUnderTest t(kChip);
        plantImage(t.image());
        t.run(code);
        const auto& events = t.window.events();
        postings = events.size();
        for (std::size_t i = events.size(); i-- > 0;) {
            if (events[i].kind == Kind::PostAction && !events[i].text.empty()) {
                closing = i + 1;
                break;
            }
        }
    }
    for (std::size_t n : sampled(postings)) {
        SCOPED_TRACE("cancel after posting " + std::to_string(n) + " of " + std::to_string(postings));
        ChipUnderTest t(kChip);
        plantImage(t.image());
        plantChip(t.sim);
        t.window.pressCancelAfterCall(n);
        t.run(code);
        EXPECT_FALSE(t.engine.busy);
        EXPECT_FALSE(t.engine.cancelRequest);
        EXPECT_FALSE(t.sim.chip().inProgramMode());
        EXPECT_FALSE(t.window.closedWhileBusy());
        const bool beforeSwitchOff = n <= closing;
        if (t.engine.lastOutcome == OperationOutcome::Cancelled) {
            EXPECT_TRUE(t.window.messageTexts().empty());
            EXPECT_EQ(t.window.effectiveCloses(), 0) << "the Cancel path closes the window, not the worker";
            // A read cancelled before its closing leaves a blank image; after it, the image read.
            if (code == OperationRead) {
                EXPECT_EQ(t.image().programMemory[0x101], beforeSwitchOff ? kBlank : 0x01);
            }
        } else {
            // Cancel came after the last check point: the operation finished.
            EXPECT_FALSE(beforeSwitchOff);
            EXPECT_EQ(t.engine.lastOutcome, OperationOutcome::Completed);
            EXPECT_EQ(t.window.messageTexts().size(), 1U);
        }
        // A write cut short by Vpp going off is the user's Cancel, not the engine's doing.
        acceptViolationsOfTheFault(t.sim);
    }
}

TEST(CancelInjection, CancelAtAnyMomentOfAProgramEndsCleanly)
{
    cancelAtSampledMoments(OperationProgram);
}

TEST(CancelInjection, CancelAtAnyMomentOfAReadEndsCleanly)
{
    cancelAtSampledMoments(OperationRead);
}

} // namespace
} // namespace velmora::test
