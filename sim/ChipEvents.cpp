#include "sim/ChipEvents.h"

#include <algorithm>
#include <utility>

namespace velmora::sim {

void ChipEvents::addObserver(SimObserver* observer)
{
    if (observer != nullptr && std::ranges::find(observers_, observer) == observers_.end())
        observers_.push_back(observer);
}

void ChipEvents::removeObserver(SimObserver* observer)
{
    std::erase(observers_, observer);
}

void ChipEvents::violation(SimTime time, ViolationKind kind, std::string_view parameter, std::string detail)
{
    violations_.push_back(Violation {time, kind, parameter, std::move(detail)});
    for (SimObserver* observer : observers_)
        observer->violationRecorded(violations_.back());
}

void ChipEvents::note(SimTime time, std::string_view text)
{
    for (SimObserver* observer : observers_)
        observer->noted(time, text);
}

void ChipEvents::command(const DecodedCommand& command)
{
    for (SimObserver* observer : observers_)
        observer->commandDecoded(command);
}

void ChipEvents::programMode(SimTime time, bool entered, Entry entry)
{
    for (SimObserver* observer : observers_)
        observer->programModeChanged(time, entered, entry);
}

void ChipEvents::pgm(SimTime time, bool high)
{
    for (SimObserver* observer : observers_)
        observer->pgmChanged(time, high);
}

} // namespace velmora::sim
