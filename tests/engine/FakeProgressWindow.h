#pragma once
// The progress window and the user-interface thread, as the engine meets them: the
// test thread plays the user-interface thread, every bridge call from the worker
// waits until the test thread has carried it out, and Cancel follows the window's
// close handler (window closed, cancel request while busy, keep serving the worker
// until busy and cancel are clear). Records every call in order.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "engine/ProgressBridge.h"
#include "engine/TPICPr.h"

namespace velmora::test {

struct BridgeEvent {
    enum class Kind { ClearAddress, PostAddress, PostProgress, PostAction, PostProcessText, MessageBox,
                      RefreshGrid, HideWindow, CloseWindow };
    Kind kind = Kind::ClearAddress;
    Address address = 0;
    bool wordMarker = false;
    std::uint16_t progress = 0;
    std::string text;
    MessageKind messageKind = MessageKind::Error;
    MessageButtons buttons = ButtonNone;
    MessageButton answer = ButtonNone;
    bool busyWhenCalled = false;
};

class FakeProgressWindow final : public ProgressBridge {
public:
    explicit FakeProgressWindow(TPICPr& engine);
    ~FakeProgressWindow() override;

    // Answers for question boxes (more than one button), in order; then `fallback`.
    void answerQuestions(std::vector<MessageButton> answers, MessageButton fallback = ButtonYes);
    // The user presses Cancel right after the worker's n-th call (1-based) was carried out.
    void pressCancelAfterCall(std::size_t n);
    // ... or after the first call for which the predicate holds.
    void pressCancelWhen(std::function<bool(const BridgeEvent&)> predicate);

    // ... or as soon as the worker sleeps while the window is still open.
    void pressCancelOnceWorkerSleeps() { cancelWhenIdle_ = true; }
    // ... or as the window opens, before the worker's first call is carried out.
    void pressCancelAtOnce() { cancelAtOnce_ = true; }

    // Shows the window modally for the code, as the main window does, and returns once
    // the modal show has ended and the worker sleeps again. Fails the test on a hang.
    void run(std::uint8_t code);

    // Everything the worker asked for during the last run().
    const std::vector<BridgeEvent>& events() const { return events_; }
    std::vector<BridgeEvent> eventsOf(BridgeEvent::Kind kind) const;
    std::vector<std::string> messageTexts() const;
    // Close requests that found the window open and closed it.
    int effectiveCloses() const { return effectiveCloses_; }
    bool cancelPressed() const { return cancelPressed_; }
    // A close request that arrived while busy was still set: the real window would
    // wait for the worker that waits for it.
    bool closedWhileBusy() const { return closedWhileBusy_; }

    // What the window shows.
    std::uint16_t progressBar() const { return progressBar_; }

    void clearAddress() override;
    void postAddress(Address address, bool wordMarker) override;
    void postProgress(std::uint16_t position) override;
    void postAction(const std::string& text) override;
    void postProcessText(const std::string& text) override;
    MessageButton messageBox(MessageKind kind, const std::string& text, MessageButtons buttons) override;
    void refreshGrid() override;
    void hideWindow() override;
    void closeWindow() override;

private:
    struct Task {
        BridgeEvent event;
        bool done = false;
    };

    // Worker side: queues the event and waits until the user-interface side handled it.
    BridgeEvent call(BridgeEvent event);
    // User-interface side: handles queued calls until `until` holds (polled).
    void serve(const std::function<bool()>& until);
    bool serveOne(std::chrono::milliseconds wait);
    void handle(BridgeEvent& event);
    void cancelHandler();

    TPICPr& engine_;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable handled_;
    std::deque<Task*> queue_;

    std::vector<BridgeEvent> events_;
    std::deque<MessageButton> answers_;
    MessageButton fallback_ = ButtonYes;
    std::size_t cancelAfter_ = 0;
    std::function<bool(const BridgeEvent&)> cancelWhen_;
    bool cancelWhenIdle_ = false;
    bool cancelAtOnce_ = false;
    bool modal_ = false;
    bool cancelPending_ = false;
    bool cancelPressed_ = false;
    bool closedWhileBusy_ = false;
    int effectiveCloses_ = 0;
    std::uint16_t progressBar_ = 0;
};

} // namespace velmora::test
