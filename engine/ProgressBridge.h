#pragma once
// What the worker asks of the user interface while an operation runs. Every call is
// synchronous: it returns only once the user interface has carried it out. The Qt
// progress window implements it with blocking queued calls; tests with a recorder;
// the command-line front end with a terminal progress line.

#include <cstdint>
#include <string>

#include "devicedata/MemoryImage.h"
#include "devicedata/UserMessages.h"

namespace velmora {

class ProgressBridge {
public:
    virtual ~ProgressBridge() = default;

    virtual void clearAddress() = 0;
    // Address as 6 upper-case hex digits; the marker adds "&+1" in the third panel.
    virtual void postAddress(Address address, bool wordMarker) = 0;
    // Position 0..100; larger values show as the maximum.
    virtual void postProgress(std::uint16_t position) = 0;
    virtual void postAction(const std::string& text) = 0;
    virtual void postProcessText(const std::string& text) = 0;
    virtual MessageButton messageBox(MessageKind kind, const std::string& text,
                                     MessageButtons buttons) = 0;
    virtual void refreshGrid() = 0;
    virtual void hideWindow() = 0;
    // Closes the progress window, but only while it is open (window-closed flag false).
    virtual void closeWindow() = 0;
};

} // namespace velmora
