#pragma once
// The progress window on a terminal: one line with the action, the address, the
// percentage and the time the action has left, redrawn in place on a terminal and
// printed as plain lines otherwise; message boxes as their texts. Called on the
// engine's worker only.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "engine/ProgressBridge.h"

namespace velmora::cli {

class TerminalBridge final : public ProgressBridge {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;

    // questionAnswer: the button chosen for every question with several buttons.
    TerminalBridge(std::FILE* out, std::FILE* err, bool redrawInPlace, MessageButton questionAnswer,
                   Clock now = std::chrono::steady_clock::now);

    void clearAddress() override;
    void postAddress(Address address, bool wordMarker) override;
    void postProgress(std::uint16_t position) override;
    void postAction(const std::string& text) override;
    void postProcessText(const std::string& text) override;
    MessageButton messageBox(MessageKind kind, const std::string& text, MessageButtons buttons) override;
    void refreshGrid() override {}
    void hideWindow() override;
    void closeWindow() override;

    // Whether the worker asked to close the window (an ending with a message).
    bool closeRequested() const { return closeRequested_; }
    // Whether a write to the terminal failed (a closed pipe or terminal): from then on
    // nothing more is written. Read from any thread.
    bool outputLost() const { return outputLost_; }

private:
    std::string progressLine() const;
    std::string timeLeft() const;
    void show(bool force);
    void endLine();
    void flush(std::FILE* stream);

    std::FILE* out_;
    std::FILE* err_;
    bool redrawInPlace_;
    MessageButton questionAnswer_;
    std::string action_;
    std::string address_;
    std::uint16_t percent_ = 0;
    int plainStep_ = -1;
    std::size_t lineLength_ = 0;
    bool lineOpen_ = false;
    bool closeRequested_ = false;
    Clock now_;
    std::atomic<bool> outputLost_{false};
    std::chrono::steady_clock::time_point lastDraw_{};
    std::chrono::steady_clock::time_point actionStart_{};
};

// "\r\n" breaks as the terminal's line breaks.
std::string terminalText(const std::string& text);

} // namespace velmora::cli
