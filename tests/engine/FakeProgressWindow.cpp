#include "tests/engine/FakeProgressWindow.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include <gtest/gtest.h>

namespace velmora::test {

namespace {
// Generous: a run takes milliseconds of real time on the virtual clock, but the
// largest chips' multi-panel runs take over 20 s under TSan on a busy machine.
constexpr auto kHangLimit = std::chrono::seconds(120);
constexpr std::uint16_t kProgressMaximum = 100;

BridgeEvent eventOf(BridgeEvent::Kind kind)
{
    BridgeEvent event;
    event.kind = kind;
    return event;
}
} // namespace

FakeProgressWindow::FakeProgressWindow(TPICPr& engine)
    : engine_(engine)
{
    engine_.setBridge(this);
}

FakeProgressWindow::~FakeProgressWindow()
{
    engine_.setBridge(nullptr);
}

void FakeProgressWindow::answerQuestions(std::vector<MessageButton> answers, MessageButton fallback)
{
    answers_.assign(answers.begin(), answers.end());
    fallback_ = fallback;
}

void FakeProgressWindow::pressCancelAfterCall(std::size_t n)
{
    cancelAfter_ = n;
}

void FakeProgressWindow::pressCancelWhen(std::function<bool(const BridgeEvent&)> predicate)
{
    cancelWhen_ = std::move(predicate);
}

std::vector<BridgeEvent> FakeProgressWindow::eventsOf(BridgeEvent::Kind kind) const
{
    std::vector<BridgeEvent> matching;
    std::copy_if(events_.begin(), events_.end(), std::back_inserter(matching),
                 [kind](const BridgeEvent& e) { return e.kind == kind; });
    return matching;
}

std::vector<std::string> FakeProgressWindow::messageTexts() const
{
    std::vector<std::string> texts;
    for (const BridgeEvent& e : eventsOf(BridgeEvent::Kind::MessageBox))
        texts.push_back(e.text);
    return texts;
}

void FakeProgressWindow::run(std::uint8_t code)
{
    events_.clear();
    effectiveCloses_ = 0;
    cancelPressed_ = false;
    closedWhileBusy_ = false;
    progressBar_ = 0;

    // The show handler.
    modal_ = true;
    engine_.start(code);
    if (cancelAtOnce_) {
        cancelAtOnce_ = false;
        cancelHandler();
    }

    const auto deadline = std::chrono::steady_clock::now() + kHangLimit;
    const auto beforeDeadline = [deadline] { return std::chrono::steady_clock::now() < deadline; };
    serve([&] { return !modal_ || !beforeDeadline(); });
    if (modal_) {
        ADD_FAILURE() << "the operation did not end; cancelling";
        cancelHandler();
    }
    // The modal show has returned; the event loop keeps serving a late close request.
    serve([&] { return engine_.idle() || !beforeDeadline(); });
    if (!engine_.idle()) {
        ADD_FAILURE() << "the worker never went back to sleep";
        std::abort();
    }
}

void FakeProgressWindow::serve(const std::function<bool()>& until)
{
    while (!until()) {
        serveOne(std::chrono::milliseconds(1));
        if (cancelWhenIdle_ && modal_ && engine_.idle()) {
            cancelWhenIdle_ = false;
            cancelPending_ = true;
        }
        if (cancelPending_) {
            cancelPending_ = false;
            cancelHandler();
        }
    }
}

bool FakeProgressWindow::serveOne(std::chrono::milliseconds wait)
{
    Task* task = nullptr;
    {
        std::unique_lock lock(mutex_);
        if (!queued_.wait_for(lock, wait, [this] { return !queue_.empty(); }))
            return false;
        task = queue_.front();
        queue_.pop_front();
    }
    handle(task->event);
    // The task lives on the worker's stack: copy it before letting the worker go.
    events_.push_back(task->event);
    {
        std::lock_guard lock(mutex_);
        task->done = true;
    }
    handled_.notify_all();
    const BridgeEvent& event = events_.back();
    const bool triggered =
        (cancelAfter_ != 0 && events_.size() == cancelAfter_) || (cancelWhen_ && cancelWhen_(event));
    if (triggered && modal_) {
        cancelAfter_ = 0;
        cancelWhen_ = nullptr;
        cancelPending_ = true;
    }
    return true;
}

void FakeProgressWindow::cancelHandler()
{
    cancelPressed_ = true;
    engine_.requestCancel();
    const auto deadline = std::chrono::steady_clock::now() + kHangLimit;
    engine_.waitForEnd([&] {
        serveOne(std::chrono::milliseconds(1));
        return std::chrono::steady_clock::now() < deadline;
    });
    modal_ = false;
}

void FakeProgressWindow::handle(BridgeEvent& event)
{
    event.busyWhenCalled = engine_.busy;
    switch (event.kind) {
    case BridgeEvent::Kind::PostProgress:
        progressBar_ = std::min(event.progress, kProgressMaximum);
        break;
    case BridgeEvent::Kind::MessageBox:
        if ((event.buttons & (ButtonYes | ButtonNo | ButtonAbort)) != 0) {
            event.answer = fallback_;
            if (!answers_.empty()) {
                event.answer = answers_.front();
                answers_.pop_front();
            }
        } else {
            event.answer = ButtonOk;
        }
        break;
    case BridgeEvent::Kind::CloseWindow:
        if (engine_.windowClosed)
            break;
        // The close handler runs inside this call: with busy still set it would wait
        // for the worker, which waits for this call.
        if (engine_.busy) {
            closedWhileBusy_ = true;
            break;
        }
        ++effectiveCloses_;
        engine_.requestCancel();   // the close handler: not busy, so only the window closes
        modal_ = false;
        break;
    default:
        break;
    }
}

BridgeEvent FakeProgressWindow::call(BridgeEvent event)
{
    Task task{std::move(event)};
    std::unique_lock lock(mutex_);
    queue_.push_back(&task);
    queued_.notify_all();
    handled_.wait(lock, [&task] { return task.done; });
    return task.event;
}

void FakeProgressWindow::clearAddress()
{
    call(eventOf(BridgeEvent::Kind::ClearAddress));
}

void FakeProgressWindow::postAddress(Address address, bool wordMarker)
{
    BridgeEvent event = eventOf(BridgeEvent::Kind::PostAddress);
    event.address = address;
    event.wordMarker = wordMarker;
    call(std::move(event));
}

void FakeProgressWindow::postProgress(std::uint16_t position)
{
    BridgeEvent event = eventOf(BridgeEvent::Kind::PostProgress);
    event.progress = position;
    call(std::move(event));
}

void FakeProgressWindow::postAction(const std::string& text)
{
    BridgeEvent event = eventOf(BridgeEvent::Kind::PostAction);
    event.text = text;
    call(std::move(event));
}

void FakeProgressWindow::postProcessText(const std::string& text)
{
    BridgeEvent event = eventOf(BridgeEvent::Kind::PostProcessText);
    event.text = text;
    call(std::move(event));
}

MessageButton FakeProgressWindow::messageBox(MessageKind kind, const std::string& text, MessageButtons buttons)
{
    BridgeEvent event = eventOf(BridgeEvent::Kind::MessageBox);
    event.text = text;
    event.messageKind = kind;
    event.buttons = buttons;
    return call(std::move(event)).answer;
}

void FakeProgressWindow::refreshGrid()
{
    call(eventOf(BridgeEvent::Kind::RefreshGrid));
}

void FakeProgressWindow::hideWindow()
{
    call(eventOf(BridgeEvent::Kind::HideWindow));
}

void FakeProgressWindow::closeWindow()
{
    call(eventOf(BridgeEvent::Kind::CloseWindow));
}

} // namespace velmora::test
