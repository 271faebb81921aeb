#include "tests/simharness/SimHarness.h"

#include <algorithm>
#include <stdexcept>

#include <gtest/gtest.h>

#include "corvant/sim/TraceWriter.h"
#include "signalling/HW_Cntrl.h"
#include "sim/TimingParameters.h"

namespace velmora::test {

namespace {

constexpr sim::SimTime kDelayUnit = std::chrono::microseconds(5);
// PGM before MCLR: P15 is 2 us on every chip with a PGM pin.
constexpr sim::SimTime kPgmBeforeMclr = std::chrono::microseconds(5);

} // namespace

SimHarness::SimHarness(std::string_view chipName, sim::FaultSet faults, EntryWiring wiring)
    : chip_(modelNamed(chipName), faults)
    , wiring_(wiring)
{
    chip_.addObserver(&recorder_);
    resetPinState();
    setPinDriver(this);
}

SimHarness::~SimHarness()
{
    setPinDriver(nullptr);
    resetPinState();
    checkViolations();
}

const sim::ChipModel& SimHarness::modelNamed(std::string_view name)
{
    const sim::ChipModel* model = sim::findChipModel(name);
    if (model == nullptr)
        throw std::invalid_argument("no simulated chip named " + std::string(name));
    return *model;
}

EntryWiring SimHarness::wiringFor(const sim::ChipModel& model)
{
    return sim::isJFamily(model.family) ? EntryWiring::MclrOnly : EntryWiring::HighVoltage;
}

bool SimHarness::enterProgramMode()
{
    if (wiring_ != EntryWiring::MclrOnly)
        return EnterProgMode();
    const sim::TimingParameters timing = sim::timingFor(chip_.model());
    const auto units = [](sim::SimTime wait) { return static_cast<std::uint32_t>(wait / kDelayUnit) + 1; };
    return EnterProgModeByKey(
        KeyEntryWaits {units(timing.keyDelay), units(timing.keyToMclr), units(timing.keyEntryHold)});
}

bool SimHarness::programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock)
{
    std::lock_guard lock(mutex_);
    const bool mclrHigh = vpp != 0;
    if (wiring_ == EntryWiring::HighVoltage) {
        chip_.setLines(now_, mclrHigh, data != 0, clock != 0);
        return true;
    }
    const bool pgm = wiring_ == EntryWiring::PgmPin;
    if (pgm && mclrHigh && !mclrHigh_) {
        chip_.setPgm(now_, true);
        now_ += kPgmBeforeMclr;
    }
    chip_.setLines(now_, mclrHigh ? sim::McLr::Vdd : sim::McLr::Low, data != 0, clock != 0);
    if (pgm && !mclrHigh && mclrHigh_)
        chip_.setPgm(now_, false);
    mclrHigh_ = mclrHigh;
    return true;
}

bool SimHarness::programmerRead(std::uint8_t* level)
{
    if (level == nullptr)
        return false;
    std::lock_guard lock(mutex_);
    *level = chip_.dataIn() ? 1 : 0;
    return true;
}

bool SimHarness::delay(std::uint32_t units)
{
    std::lock_guard lock(mutex_);
    now_ += kDelayUnit * units;
    return true;
}

void SimHarness::advance(sim::SimTime duration)
{
    std::lock_guard lock(mutex_);
    now_ += duration;
}

std::vector<sim::Violation> SimHarness::violations() const
{
    std::lock_guard lock(mutex_);
    return chip_.violations();
}

std::size_t SimHarness::violationCount(sim::ViolationKind kind) const
{
    std::lock_guard lock(mutex_);
    return static_cast<std::size_t>(std::ranges::count_if(
        chip_.violations(), [kind](const sim::Violation& violation) { return violation.kind == kind; }));
}

std::vector<sim::DecodedCommand> SimHarness::commands() const
{
    std::lock_guard lock(mutex_);
    return recorder_.commands;
}

void SimHarness::expectViolation(sim::ViolationKind kind)
{
    std::lock_guard lock(mutex_);
    expected_.push_back(kind);
}

void SimHarness::checkViolations()
{
    std::lock_guard lock(mutex_);
    for (const sim::Violation& violation : chip_.violations()) {
        if (std::ranges::find(expected_, violation.kind) == expected_.end())
            ADD_FAILURE() << "unexpected violation on the simulated " << chip_.model().name << " at "
                          << violation.time.count() << " ns: " << sim::traceText(violation);
    }
    for (sim::ViolationKind kind : expected_) {
        const bool seen = std::ranges::any_of(
            chip_.violations(), [kind](const sim::Violation& violation) { return violation.kind == kind; });
        if (!seen)
            ADD_FAILURE() << "expected violation never happened: " << sim::violationName(kind);
    }
    expected_.clear();
    chip_.clearViolations();
}

std::string SimHarness::describeViolations() const
{
    std::lock_guard lock(mutex_);
    std::string text;
    for (const sim::Violation& violation : chip_.violations())
        text += std::to_string(violation.time.count()) + " ns " + sim::traceText(violation) + "\n";
    return text;
}

} // namespace velmora::test
