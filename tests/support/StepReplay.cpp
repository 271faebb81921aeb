#include "tests/support/StepReplay.h"

#include "corvant/corvant.h"

namespace velmora::test {

StepRunner StepReplay::runner()
{
    return [this](std::span<const std::uint32_t> steps, std::span<std::uint8_t> levels) { return run(steps, levels); };
}

bool StepReplay::run(std::span<const std::uint32_t> steps, std::span<std::uint8_t> levels)
{
    if (steps.empty())
        return takesStreams;
    if (++exchanges_ == failing_)
        return false;
    std::size_t read = 0;
    for (const std::uint32_t step : steps) {
        bool ok = true;
        switch (step & CORVANT_STEP_KIND) {
        case CORVANT_STEP_WRITE:
            ok = lines_.programmerWrite((step >> 2) & 1U, (step >> 1) & 1U, step & 1U);
            break;
        case CORVANT_STEP_WAIT:
            ok = lines_.delay(step & ~CORVANT_STEP_KIND);
            break;
        default:
            ok = read < levels.size() && lines_.programmerRead(&levels[read++]);
            break;
        }
        if (!ok)
            return false;
    }
    return read == levels.size();
}

} // namespace velmora::test
