#include "corvant/LineCostProbe.h"

#include <chrono>

namespace corvant {
namespace {

// Average cost of `call`, run until kProbeCalls are done or the budget is spent.
std::optional<double> averageCost(const std::function<bool()>& call, const MonotonicClock& now)
{
    const double start = now();
    double elapsed = 0;
    int calls = 0;
    while (calls < kProbeCalls && elapsed < kProbeBudgetSeconds) {
        if (!call())
            return std::nullopt;
        ++calls;
        elapsed = now() - start;
    }
    return elapsed / calls;
}

} // namespace

MonotonicClock steadyClock()
{
    return [] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    };
}

std::optional<LineCosts> measureLineCosts(PinBackend& backend, const MonotonicClock& now)
{
    const auto write = averageCost([&] { return backend.setDataClock(false, false); }, now);
    if (!write)
        return std::nullopt;
    std::uint8_t level = 0;
    const auto read = averageCost([&] { return backend.read(level); }, now);
    if (!read)
        return std::nullopt;
    return LineCosts{*write, *read};
}

} // namespace corvant
