#pragma once
// The worker's side of the progress window: the posting fields and the synchronous
// user-interface actions that show them. A posting that would not change what the
// window shows is not sent, which keeps per-byte postings from costing a round trip
// into the user-interface thread; invalidate() at the start of every operation makes
// the first posting of each field go out again.

#include <cstdint>
#include <optional>
#include <string>

#include "devicedata/MemoryImage.h"
#include "devicedata/UserMessages.h"
#include "engine/ProgressBridge.h"

namespace velmora {

class PostingBlock {
public:
    void setBridge(ProgressBridge* bridge) { bridge_ = bridge; }
    void invalidate();

    void clearAddress();
    void postAddress(Address address, bool wordMarker = false);
    void postProgress(std::uint16_t position);
    void postAction(const std::string& text);
    void postProcessText(const std::string& text);
    // Empties the process text, clears the address, empties the action text, progress 0.
    void clearDisplays();

    MessageButton messageBox(MessageKind kind, const std::string& text, MessageButtons buttons);
    void showError(const std::string& text) { messageBox(MessageKind::Error, text, ButtonOk); }
    void showInformation(const std::string& text) { messageBox(MessageKind::Information, text, ButtonOk); }
    void refreshGrid();
    void hideWindow();
    void closeWindow();

private:
    ProgressBridge& bridge();

    enum class AddressShown : std::uint8_t { Unknown, Cleared, Shown };
    ProgressBridge* bridge_ = nullptr;
    AddressShown addressShown_ = AddressShown::Unknown;
    Address shownAddress_ = 0;
    bool shownMarker_ = false;
    std::optional<std::uint16_t> shownProgress_;
    std::optional<std::string> shownAction_;
    std::optional<std::string> shownProcess_;
};

} // namespace velmora
