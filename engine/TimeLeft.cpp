#include "engine/TimeLeft.h"

#include "corvant/PortSpeed.h"
#include "engine/EngineTexts.h"

namespace velmora {

namespace {

constexpr std::uint16_t kMaximum = 100;
// Before this, a rate taken from the first percent says more about start-up than the action.
constexpr auto kFirstEstimate = std::chrono::seconds(1);

} // namespace

std::string timeLeftText(std::chrono::steady_clock::duration elapsed, std::uint16_t percent)
{
    if (percent == 0 || percent >= kMaximum || elapsed < kFirstEstimate)
        return {};
    const double seconds = std::chrono::duration<double>(elapsed).count();
    const double left = seconds * (kMaximum - percent) / percent;
    return corvant::durationText(left) + texts::kTimeLeft;
}

} // namespace velmora
