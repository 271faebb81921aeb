#include "ui/PostedProgress.h"

#include <algorithm>

namespace velmora {

void PostedProgress::clearAddress()
{
    change([](ProgressValues& values) { values.address.reset(); });
}

void PostedProgress::setAddress(Address address, bool wordMarker)
{
    change([address, wordMarker](ProgressValues& values) {
        values.address = address;
        values.wordMarker = wordMarker;
    });
}

void PostedProgress::setPosition(std::uint16_t position)
{
    change([position](ProgressValues& values) { values.position = std::min(position, kMaximum); });
}

void PostedProgress::setAction(const std::string& text)
{
    change([&text](ProgressValues& values) { values.action = text; });
}

void PostedProgress::setProcess(const std::string& text)
{
    change([&text](ProgressValues& values) { values.process = text; });
}

void PostedProgress::prepare()
{
    change([](ProgressValues& values) {
        values.address.reset();
        values.position = 0;
        values.action.clear();
        values.process.clear();
    });
}

std::optional<ProgressValues> PostedProgress::takeChanges()
{
    const std::lock_guard lock(mutex_);
    if (!changed_)
        return std::nullopt;
    changed_ = false;
    return values_;
}

} // namespace velmora
