// The worker's life and the runner's hand-over, and what the posting block sends.

#include <atomic>
#include <chrono>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "engine/DifferenceReport.h"
#include "engine/EngineTexts.h"
#include "engine/PostingBlock.h"
#include "tests/engine/EngineTestSupport.h"
#include "tests/engine/LoggingBridge.h"

namespace velmora::test {
namespace {

using Kind = BridgeEvent::Kind;

// Notes which threads drive the pins; once closed, holds them until opened again.
class WorkerPins final : public PinDriver {
public:
    bool programmerWrite(std::uint8_t, std::uint8_t, std::uint8_t) override { return pass(); }
    bool programmerRead(std::uint8_t* level) override
    {
        *level = 1;
        return pass();
    }
    bool delay(std::uint32_t) override { return pass(); }
    std::set<std::thread::id> threads() const
    {
        std::lock_guard lock(mutex_);
        return threads_;
    }
    void close() { open_ = false; }
    void open() { open_ = true; }

private:
    bool pass()
    {
        {
            std::lock_guard lock(mutex_);
            threads_.insert(std::this_thread::get_id());
        }
        while (!open_)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        return true;
    }
    mutable std::mutex mutex_;
    std::set<std::thread::id> threads_;
    std::atomic<bool> open_{true};
};

TEST(Runner, SecondOperationResumesTheSameWorker)
{
    WorkerPins pins;
    ScopedPinDriver scoped(pins);
    TPICPr engine;
    FakeProgressWindow window(engine);
    engine.data().SelectDevice(smallDevice());
    engine.data().ClearImage(true);
    window.run(OperationRead);
    window.run(OperationVerify);
    const auto threads = pins.threads();
    ASSERT_EQ(threads.size(), 1U);
    EXPECT_NE(*threads.begin(), std::this_thread::get_id());
}

TEST(Runner, ExitNeverStartsTheOperationOfASuspendedWorker)
{
    RecordingPinDriver pins;
    ScopedPinDriver scoped(pins);
    LoggingBridge bridge;   // every operation's opening reaches it, cancelled or not
    {
        TPICPr engine;
        engine.setBridge(&bridge);
        ASSERT_TRUE(engine.waitIdle(std::chrono::seconds(10)));
        engine.terminate();
        engine.start(OperationRead);   // a hand-over that comes too late must not run
    }
    EXPECT_TRUE(bridge.log.empty());
    EXPECT_EQ(pins.callCount(), 0U);
}

TEST(Runner, AResumeBeforeTheWorkerSleepsIsKept)
{
    RecordingPinDriver pins;
    ScopedPinDriver scoped(pins);
    TPICPr engine;
    engine.data().SelectDevice(smallDevice());
    // Straight after construction: the worker may not have suspended itself yet.
    engine.start(OperationErase);
    ASSERT_TRUE(engine.waitIdle(std::chrono::seconds(30)));
    EXPECT_GT(pins.callCount(), 0U);
    EXPECT_FALSE(engine.busy);
}

TEST(Handover, CancelIsRequestedOnlyWhileBusyAndTheWaitEndsWithIt)
{
    TPICPr engine;
    engine.start(OperationNone);
    EXPECT_FALSE(engine.windowClosed);
    ASSERT_TRUE(engine.waitIdle(std::chrono::seconds(10)));
    engine.requestCancel();
    EXPECT_TRUE(engine.windowClosed);
    EXPECT_FALSE(engine.cancelRequest);   // a closing window after the end is no cancel
    int serves = 0;
    EXPECT_TRUE(engine.waitForEnd([&serves] { return ++serves > 0; }));
    EXPECT_EQ(serves, 0);

    // While an operation runs, the wait serves until its caller gives up.
    WorkerPins pins;
    ScopedPinDriver scoped(pins);
    pins.close();
    engine.start(OperationDeviceId);
    engine.requestCancel();
    EXPECT_TRUE(engine.cancelRequest);
    EXPECT_FALSE(engine.waitForEnd([&serves] { return ++serves < 3; }));
    EXPECT_EQ(serves, 3);
    pins.open();
    ASSERT_TRUE(engine.waitIdle(std::chrono::seconds(10)));
    EXPECT_FALSE(engine.busy);
    EXPECT_FALSE(engine.cancelRequest);
    EXPECT_EQ(engine.lastOutcome, OperationOutcome::Cancelled);
}

class RunnerEndings : public EngineTest {};

TEST_F(RunnerEndings, UnknownCodeLeavesTheWindowOpenUntilCancelAndClearsBusy)
{
    window.pressCancelOnceWorkerSleeps();
    window.run(9);
    EXPECT_TRUE(window.cancelPressed());
    EXPECT_TRUE(window.events().empty());
    EXPECT_EQ(pins.callCount(), 0U);
    EXPECT_FALSE(engine.busy);
    EXPECT_FALSE(engine.cancelRequest);
    EXPECT_EQ(engine.operationCode, 0);
}

TEST_F(RunnerEndings, ACancelAsTheWindowOpensEndsEveryOperationBeforeVppRises)
{
    for (std::uint8_t code : {OperationRead, OperationErase, OperationProgram, OperationVerify, OperationBlankCheck,
                              OperationDeviceId}) {
        SCOPED_TRACE("operation " + std::to_string(code));
        pins.clear();
        // The worker ends without asking the window to close.
        window.pressCancelAtOnce();
        window.run(code);
        EXPECT_EQ(engine.lastOutcome, OperationOutcome::Cancelled);
        EXPECT_TRUE(pins.calls().empty());
        EXPECT_TRUE(window.messageTexts().empty());
        EXPECT_EQ(window.effectiveCloses(), 0);
        EXPECT_FALSE(engine.busy);
        EXPECT_FALSE(engine.cancelRequest);
    }
}

TEST_F(RunnerEndings, ACancelWhileVppRisesEndsEveryOperationQuietly)
{
    for (std::uint8_t code : {OperationRead, OperationErase, OperationProgram, OperationVerify, OperationBlankCheck,
                              OperationDeviceId}) {
        SCOPED_TRACE("operation " + std::to_string(code));
        pins.clear();
        window.pressCancelWhen([](const BridgeEvent& e) { return e.text == texts::kTurnOnVpp; });
        window.run(code);
        EXPECT_TRUE(window.messageTexts().empty());
        EXPECT_EQ(engine.lastOutcome, OperationOutcome::Cancelled);
        expectCleanEnding();
    }
}

TEST_F(RunnerEndings, CancelJustAfterANormalEndClosesAtOnceAndTheLateCloseDoesNothing)
{
    pins.setIdleDataIn(1);
    window.pressCancelWhen([](const BridgeEvent& e) { return e.kind == Kind::HideWindow; });
    window.run(OperationErase);
    EXPECT_TRUE(window.cancelPressed());
    EXPECT_EQ(window.messageTexts(), std::vector<std::string>{texts::kErasingPerformed});
    EXPECT_EQ(window.eventsOf(Kind::CloseWindow).size(), 1U);
    EXPECT_EQ(window.effectiveCloses(), 0);
    EXPECT_FALSE(engine.cancelRequest);   // busy was already clear: no request was made
    expectCleanEnding();
}

TEST_F(RunnerEndings, EveryOperationOpensWithClearedDisplays)
{
    for (std::uint8_t code : {OperationRead, OperationErase, OperationProgram, OperationVerify}) {
        pins.clear();
        pins.setIdleDataIn(1);
        window.run(code);
        const auto& events = window.events();
        ASSERT_GE(events.size(), 4U);
        EXPECT_EQ(events[0].kind, Kind::PostProcessText);
        EXPECT_EQ(events[0].text, "");
        EXPECT_EQ(events[1].kind, Kind::ClearAddress);
        EXPECT_EQ(events[2].kind, Kind::PostAction);
        EXPECT_EQ(events[3].kind, Kind::PostProgress);
        EXPECT_EQ(events[3].progress, 0);
        EXPECT_TRUE(events[0].busyWhenCalled);
        EXPECT_EQ(engine.operationCode, 0);
    }
}

TEST(PostingBlock, SendsOnlyWhatChangesTheWindow)
{
    LoggingBridge bridge;
    PostingBlock post;
    post.setBridge(&bridge);
    post.postAddress(0x1A);
    post.postAddress(0x1A);
    post.postAddress(0x1A, true);   // the marker changes the third panel
    post.postProgress(150);
    post.postProgress(100);         // the bar shows its maximum either way
    post.postProgress(99);
    post.postAction("A");
    post.postAction("A");
    post.clearAddress();
    post.clearAddress();
    post.messageBox(MessageKind::Information, "same", ButtonOk);
    post.messageBox(MessageKind::Information, "same", ButtonOk);   // boxes always go out
    post.refreshGrid();
    post.refreshGrid();
    EXPECT_EQ(bridge.log, (std::vector<std::string>{"00001A", "00001A&+1", "progress 150", "progress 99",
                                                     "action A", "clear", "box same", "box same", "grid", "grid"}));

    // A new operation starts from a window the main window has reset.
    bridge.log.clear();
    post.invalidate();
    post.postAddress(0x1A, true);
    post.postAction("A");
    post.postProgress(99);
    EXPECT_EQ(bridge.log.size(), 3U);
}

TEST(DifferenceTexts, AddressesAndClosingPieces)
{
    EXPECT_EQ(hexAddress(0x3FFFFE), "3FFFFE");
    EXPECT_EQ(hexAddress(0x1A), "00001A");
    EXPECT_EQ(hexByte(0x0F), "0F");
    EXPECT_EQ(programmingMismatch(MemoryArea::Ids, 0x200007, 0x12, 0xAB),
              "Difference was found.\r\nByte of PIC's IDs at 200007 address.\r\nValue from device: 12,\r\n"
              "Value from computer program: AB.\r\n");
    EXPECT_EQ(programmingMismatch(MemoryArea::Eeprom, 0xFF, 0x12, 0xAB),
              "Difference was found.\r\nByte of PIC's EEPROM data memory at 0000FF address.\r\nValue from device: "
              "12,\r\nValue from computer program: AB.");
    EXPECT_EQ(verifyReport(false), "Verification has been performed.\r\nPIC's programmable memory content does not "
                                   "differ\r\nfrom this content of computer program.");
}

} // namespace
} // namespace velmora::test
