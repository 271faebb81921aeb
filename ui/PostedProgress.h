#pragma once
// What the worker last posted to the progress window: address, word marker, progress
// position, action text and process text. A posting stores its value here under a
// lock and returns; the window copies the values to its widgets at the display's pace.
// So a posting costs the worker one uncontended lock, never a wake-up of the
// user-interface thread or a layout pass, and the worker never waits on the window.

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>

#include "devicedata/MemoryImage.h"

namespace velmora {

struct ProgressValues {
    std::optional<Address> address;   // nothing: the address panel is empty
    bool wordMarker = false;
    std::uint16_t position = 0;       // already limited to the bar's maximum
    std::string action;
    std::string process;
};

class PostedProgress {
public:
    static constexpr std::uint16_t kMaximum = 100;

    void clearAddress();
    void setAddress(Address address, bool wordMarker);
    void setPosition(std::uint16_t position);
    void setAction(const std::string& text);
    void setProcess(const std::string& text);
    // The main window's preparation: no address, progress 0, both texts empty; the
    // word marker keeps its value.
    void prepare();

    // The values when anything was posted since the last call; nothing otherwise.
    std::optional<ProgressValues> takeChanges();

private:
    template <typename Change>
    void change(Change&& apply)
    {
        const std::lock_guard lock(mutex_);
        apply(values_);
        changed_ = true;
    }

    std::mutex mutex_;
    ProgressValues values_;
    bool changed_ = false;
};

} // namespace velmora
