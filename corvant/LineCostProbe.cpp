#include "corvant/LineCostProbe.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <vector>

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

std::optional<LineCosts> measureStreamedCosts(StreamingBackend& backend, const MonotonicClock& now)
{
    constexpr double kUnitSeconds = 5e-6;
    std::array<std::uint8_t, 1> level{};
    const std::array<PinMove, 1> oneRead{PinMove{.kind = PinMoveKind::Read}};
    const double exchangesStart = now();
    for (int i = 0; i < kStreamProbeExchanges; ++i)
        if (!backend.run(oneRead, level))
            return std::nullopt;
    const double exchange = (now() - exchangesStart) / kStreamProbeExchanges;

    std::vector<PinMove> writes;
    for (int i = 0; i < kProbeCalls; ++i) {
        writes.push_back({.kind = PinMoveKind::DataClock});
        writes.push_back({.kind = PinMoveKind::Wait, .units = 1});
    }
    writes.push_back({.kind = PinMoveKind::Read});
    const double writesStart = now();
    if (!backend.run(writes, level))
        return std::nullopt;
    const double beyondWaits = now() - writesStart - exchange - kProbeCalls * kUnitSeconds;
    return LineCosts{std::max(0.0, beyondWaits / kProbeCalls), exchange / kStreamedReadsPerExchange};
}

} // namespace corvant
