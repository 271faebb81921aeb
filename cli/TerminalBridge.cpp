#include "cli/TerminalBridge.h"

#include <algorithm>

#include "cli/CliTexts.h"
#include "engine/DifferenceReport.h"
#include "engine/TimeLeft.h"

namespace velmora::cli {

namespace {

constexpr std::uint16_t kMaximum = 100;
constexpr int kPlainStepPercent = 10;
// Redrawing for every byte would cost more than reading it; a twentieth of a second
// is as fast as anyone reads an address.
constexpr auto kRedrawInterval = std::chrono::milliseconds(50);

const char* answerText(MessageButton answer)
{
    switch (answer) {
    case ButtonYes: return kAnswerYes;
    case ButtonNo: return kAnswerNo;
    default: return kAnswerAbort;
    }
}

} // namespace

std::string terminalText(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        result += text[i];
    }
    return result;
}

TerminalBridge::TerminalBridge(std::FILE* out, std::FILE* err, bool redrawInPlace, MessageButton questionAnswer,
                               Clock now)
    : out_(out)
    , err_(err)
    , redrawInPlace_(redrawInPlace)
    , questionAnswer_(questionAnswer)
    , now_(std::move(now))
{
}

void TerminalBridge::clearAddress()
{
    address_.clear();
    show(false);
}

void TerminalBridge::postAddress(Address address, bool wordMarker)
{
    address_ = hexAddress(address) + (wordMarker ? "&+1" : "");
    show(false);
}

void TerminalBridge::postProgress(std::uint16_t position)
{
    const std::uint16_t shown = std::min(position, kMaximum);
    const bool changed = shown != percent_;
    percent_ = shown;
    show(changed);
}

void TerminalBridge::postAction(const std::string& text)
{
    if (text == action_)
        return;
    endLine();   // the finished phase stays on screen as it ended
    action_ = text;
    actionStart_ = now_();
    plainStep_ = -1;
    show(true);
}

void TerminalBridge::postProcessText(const std::string&)
{
    // The status-bar step changes too often to be worth a terminal line.
}

std::string TerminalBridge::progressLine() const
{
    std::string line = action_;
    if (!address_.empty())
        line += "  " + address_;
    line += "  " + std::to_string(percent_) + "%";
    return line + timeLeft();
}

std::string TerminalBridge::timeLeft() const
{
    const std::string left = timeLeftText(now_() - actionStart_, percent_);
    return left.empty() ? left : "  " + left;
}

void TerminalBridge::flush(std::FILE* stream)
{
    if (std::fflush(stream) != 0 || std::ferror(stream) != 0)
        outputLost_ = true;
}

void TerminalBridge::show(bool force)
{
    if (action_.empty() || outputLost_)
        return;
    if (!redrawInPlace_) {
        const int step = percent_ / kPlainStepPercent;
        if (step == plainStep_)
            return;
        plainStep_ = step;
        std::fprintf(out_, "%s\n", progressLine().c_str());
        flush(out_);
        return;
    }
    const auto now = now_();
    if (!force && now - lastDraw_ < kRedrawInterval)
        return;
    lastDraw_ = now;
    const std::string line = progressLine();
    const std::size_t padding = lineLength_ > line.size() ? lineLength_ - line.size() : 0;
    std::fprintf(out_, "\r%s%*s", line.c_str(), static_cast<int>(padding), "");
    flush(out_);
    lineLength_ = line.size();
    lineOpen_ = true;
}

void TerminalBridge::endLine()
{
    if (!lineOpen_ || outputLost_)
        return;
    // The last state of the line, then a line break.
    const std::string line = progressLine();
    const std::size_t padding = lineLength_ > line.size() ? lineLength_ - line.size() : 0;
    std::fprintf(out_, "\r%s%*s\n", line.c_str(), static_cast<int>(padding), "");
    flush(out_);
    lineOpen_ = false;
    lineLength_ = 0;
}

MessageButton TerminalBridge::messageBox(MessageKind kind, const std::string& text, MessageButtons buttons)
{
    endLine();
    MessageButton answer = ButtonOk;
    if ((buttons & ~static_cast<MessageButtons>(ButtonOk)) != 0)
        answer = (buttons & questionAnswer_) != 0 ? questionAnswer_ : ButtonAbort;
    if (outputLost_)
        return answer;
    std::FILE* stream = kind == MessageKind::Information ? out_ : err_;
    std::fprintf(stream, "%s\n", terminalText(text).c_str());
    if (answer != ButtonOk)
        std::fprintf(stream, "-> %s\n", answerText(answer));
    flush(stream);
    return answer;
}

void TerminalBridge::hideWindow()
{
    endLine();
}

void TerminalBridge::closeWindow()
{
    endLine();
    closeRequested_ = true;
}

} // namespace velmora::cli
