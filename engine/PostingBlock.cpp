#include "engine/PostingBlock.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr std::uint16_t kProgressMaximum = 100;

// Stands in when no user interface is attached: shows nothing and answers every
// question with the answer that stops soonest.
class SilentBridge final : public ProgressBridge {
public:
    void clearAddress() override {}
    void postAddress(Address, bool) override {}
    void postProgress(std::uint16_t) override {}
    void postAction(const std::string&) override {}
    void postProcessText(const std::string&) override {}
    MessageButton messageBox(MessageKind, const std::string&, MessageButtons buttons) override
    {
        return (buttons & ButtonAbort) != 0 ? ButtonAbort : ButtonOk;
    }
    void refreshGrid() override {}
    void hideWindow() override {}
    void closeWindow() override {}
};

} // namespace

ProgressBridge& PostingBlock::bridge()
{
    static SilentBridge silent;
    return bridge_ != nullptr ? *bridge_ : silent;
}

void PostingBlock::invalidate()
{
    addressShown_ = AddressShown::Unknown;
    shownProgress_.reset();
    shownAction_.reset();
    shownProcess_.reset();
}

void PostingBlock::clearAddress()
{
    if (addressShown_ == AddressShown::Cleared)
        return;
    addressShown_ = AddressShown::Cleared;
    bridge().clearAddress();
}

void PostingBlock::postAddress(Address address, bool marker)
{
    const bool unchanged =
        addressShown_ == AddressShown::Shown && shownAddress_ == address && shownMarker_ == marker;
    if (!unchanged) {
        addressShown_ = AddressShown::Shown;
        shownAddress_ = address;
        shownMarker_ = marker;
        bridge().postAddress(address, marker);
    }
}

void PostingBlock::postProgress(std::uint16_t position)
{
    const std::uint16_t shown = std::min(position, kProgressMaximum);
    if (shownProgress_ == shown)
        return;
    shownProgress_ = shown;
    bridge().postProgress(position);
}

void PostingBlock::postAction(const std::string& text)
{
    if (shownAction_ == text)
        return;
    shownAction_ = text;
    bridge().postAction(text);
}

void PostingBlock::postProcessText(const std::string& text)
{
    if (shownProcess_ == text)
        return;
    shownProcess_ = text;
    bridge().postProcessText(text);
}

void PostingBlock::clearDisplays()
{
    postProcessText({});
    clearAddress();
    postAction({});
    postProgress(0);
}

MessageButton PostingBlock::messageBox(MessageKind kind, const std::string& text, MessageButtons buttons)
{
    return bridge().messageBox(kind, text, buttons);
}

void PostingBlock::refreshGrid()
{
    bridge().refreshGrid();
}

void PostingBlock::hideWindow()
{
    bridge().hideWindow();
}

void PostingBlock::closeWindow()
{
    bridge().closeWindow();
}

} // namespace velmora
