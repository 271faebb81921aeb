// How long pendrel's waits really take on this machine, and what one pin step costs
// on the simulated programmer. Waits are measured on the raw monotonic clock the
// library itself spins on. Targets: no wait shorter than asked; median Delay(1)
// within 1.10 x 5 us on an idle machine.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <vector>

#include "corvant/corvant.h"
#include "pendrel/pendrel.h"
#include "signalling/HW_Cntrl.h"
#include "signalling/PinDriver.h"

namespace {

constexpr double NanosecondsPerUnit = 5000.0;
constexpr double MedianDelayOneLimit = 1.10;

std::int64_t nowNanoseconds()
{
    timespec now {};
    clock_gettime(CLOCK_MONOTONIC_RAW, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

struct Summary {
    double min = 0;
    double median = 0;
    double p99 = 0;
    double max = 0;
};

Summary summarise(std::vector<std::int64_t> samples)
{
    std::sort(samples.begin(), samples.end());
    const auto at = [&samples](double fraction) {
        const auto index = static_cast<std::size_t>(fraction * static_cast<double>(samples.size() - 1));
        return static_cast<double>(samples[index]);
    };
    return {at(0.0), at(0.5), at(0.99), at(1.0)};
}

template <typename Step>
std::vector<std::int64_t> timeEach(int calls, Step step)
{
    std::vector<std::int64_t> samples;
    samples.reserve(static_cast<std::size_t>(calls));
    for (int i = 0; i < calls; ++i) {
        const std::int64_t before = nowNanoseconds();
        step();
        samples.push_back(nowNanoseconds() - before);
    }
    return samples;
}

// Returns false when a wait came out shorter than asked.
bool benchDelay(std::uint32_t units, int calls, double& median)
{
    bool failed = false;
    const auto samples = timeEach(calls, [units, &failed] { failed = !Delay(units) || failed; });
    const Summary s = summarise(samples);
    const double nominal = units * NanosecondsPerUnit;
    const auto shortWaits = std::count_if(samples.begin(), samples.end(),
                                          [nominal](std::int64_t ns) { return static_cast<double>(ns) < nominal; });
    std::printf("Delay(%-5u) %6d calls  min %.4f  median %.4f  p99 %.4f  max %.4f  x nominal; short waits %ld%s\n",
                units, calls, s.min / nominal, s.median / nominal, s.p99 / nominal, s.max / nominal,
                static_cast<long>(shortWaits), failed ? "; Delay returned false" : "");
    median = s.median / nominal;
    return shortWaits == 0 && !failed;
}

bool benchSimulatedPins()
{
    if (ComInit("SIM") == 0) {
        std::printf("ComInit(\"SIM\") failed: pin costs not measured\n");
        return false;
    }
    std::uint8_t level = 0;
    bool ok = true;
    const Summary pins = summarise(timeEach(200000, [&level, &ok] {
        ok = ProgrammerWrite(1, 1, 0) != 0 && ProgrammerRead(&level) != 0 && ok;
    }));
    std::printf("ProgrammerWrite + ProgrammerRead on SIM: min %.0f  median %.0f  p99 %.0f ns\n",
                pins.min, pins.median, pins.p99);

    // A whole 20-clock command through the production binding: nominally 42 units.
    velmora::resetPinState();
    const double nominal = 42 * NanosecondsPerUnit;
    const Summary command = summarise(timeEach(2000, [&ok] { ok = velmora::SendCommand(0x0, 0x0E00) && ok; }));
    std::printf("SendCommand on SIM: min %.4f  median %.4f  p99 %.4f  x nominal 210 us\n",
                command.min / nominal, command.median / nominal, command.p99 / nominal);
    velmora::ExitProgMode();
    ComClose();
    return ok;
}

} // namespace

int main()
{
    if (DelayInit() != 0) {
        std::printf("DelayInit failed: frequency %lld Hz\n", static_cast<long long>(GetPerformanceFrequency()));
        return 1;
    }
    std::printf("counter frequency %lld Hz\n", static_cast<long long>(GetPerformanceFrequency()));

    bool ok = true;
    double medianOne = 0;
    double median = 0;
    ok = benchDelay(1, 100000, medianOne) && ok;
    ok = benchDelay(2, 50000, median) && ok;
    ok = benchDelay(200, 2000, median) && ok;
    ok = benchDelay(60000, 10, median) && ok;
    const bool medianOk = medianOne <= MedianDelayOneLimit;
    std::printf("median Delay(1) %.4f x nominal: %s (limit %.2f)\n", medianOne, medianOk ? "within" : "OVER",
                MedianDelayOneLimit);
    ok = benchSimulatedPins() && ok;
    std::printf("%s\n", ok && medianOk ? "all targets met" : "TARGET MISSED");
    return ok && medianOk ? 0 : 1;
}
