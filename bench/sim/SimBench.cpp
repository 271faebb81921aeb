// Cost of one simulated pin change: the chip model alone on a virtual clock, and the
// SIM programmer through libcorvant's exports on the real counter. Both drive real
// ICSP traffic (table reads of program memory with the chip answering), so every call
// decodes edges rather than repeating one level. Target: under 200 ns per
// ProgrammerWrite or ProgrammerRead, under 5 % of a 5 us clock phase.
//
//   bench_sim

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "corvant/corvant.h"
#include "sim/SimulatedChip.h"

namespace {

using Clock = std::chrono::steady_clock;
using velmora::sim::SimTime;

constexpr double kTargetNs = 200.0;
constexpr int kBatches = 31;
constexpr int kCommandsPerBatch = 2000;

// One pin step of the host: a write of the three lines, a read of data in.
struct Step {
    bool vpp;
    bool data;
    bool clock;
    bool read;
};

// A 1001 table read as a host clocks it: 4 command bits, 8 ignored bits, 8 sampled bits.
std::vector<Step> tableReadSteps()
{
    std::vector<Step> steps;
    const int command = 0x9;
    for (int bit = 0; bit < 20; ++bit) {
        const bool sampled = bit >= 12;
        const bool data = sampled || (bit < 4 && ((command >> bit) & 1) != 0);
        steps.push_back({true, data, true, sampled});
        steps.push_back({true, data, false, false});
    }
    return steps;
}

double median(std::vector<double> values)
{
    std::nth_element(values.begin(), values.begin() + static_cast<long>(values.size() / 2), values.end());
    return values[values.size() / 2];
}

// Nanoseconds per setLines/dataIn call on the model alone.
double benchModel(const std::vector<Step>& steps)
{
    velmora::sim::SimulatedChip chip(*velmora::sim::findChipModel("PIC18F4550"));
    SimTime now {};
    chip.setLines(now, true, false, false);
    now += std::chrono::microseconds(10);
    bool sink = false;
    std::vector<double> perCall;
    for (int batch = 0; batch < kBatches; ++batch) {
        std::size_t calls = 0;
        const auto start = Clock::now();
        for (int command = 0; command < kCommandsPerBatch; ++command) {
            for (const Step& step : steps) {
                now += std::chrono::microseconds(5);
                chip.setLines(now, step.vpp, step.data, step.clock);
                ++calls;
                if (step.read) {
                    sink ^= chip.dataIn();
                    ++calls;
                }
            }
        }
        const std::chrono::duration<double, std::nano> elapsed = Clock::now() - start;
        perCall.push_back(elapsed.count() / static_cast<double>(calls));
    }
    std::printf("model only (sink %d, %zu violations)\n", sink ? 1 : 0, chip.violations().size());
    return median(perCall);
}

// Nanoseconds per ProgrammerWrite/ProgrammerRead call through libcorvant.
double benchCorvant(const std::vector<Step>& steps)
{
    if (ComInit("SIM:PIC18F4550") == 0) {
        std::printf("ComInit(\"SIM:PIC18F4550\") failed\n");
        return -1;
    }
    ProgrammerWrite(1, 0, 0);
    std::uint8_t level = 0;
    std::vector<double> perCall;
    for (int batch = 0; batch < kBatches; ++batch) {
        std::size_t calls = 0;
        const auto start = Clock::now();
        for (int command = 0; command < kCommandsPerBatch; ++command) {
            for (const Step& step : steps) {
                ProgrammerWrite(step.vpp, step.data, step.clock);
                ++calls;
                if (step.read) {
                    ProgrammerRead(&level);
                    ++calls;
                }
            }
        }
        const std::chrono::duration<double, std::nano> elapsed = Clock::now() - start;
        perCall.push_back(elapsed.count() / static_cast<double>(calls));
    }
    ProgrammerWrite(0, 0, 0);
    ComClose();
    return median(perCall);
}

} // namespace

int main()
{
    const auto steps = tableReadSteps();
    const double model = benchModel(steps);
    const double corvant = benchCorvant(steps);
    std::printf("SimulatedChip setLines/dataIn: median %.1f ns per call\n", model);
    std::printf("ProgrammerWrite/ProgrammerRead on SIM:PIC18F4550: median %.1f ns per call\n", corvant);
    const bool met = corvant >= 0 && corvant < kTargetNs;
    std::printf("%s (target %.0f ns per call)\n", met ? "target met" : "TARGET MISSED", kTargetNs);
    return met ? 0 : 1;
}
