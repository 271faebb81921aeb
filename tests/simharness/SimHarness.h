#pragma once
// A simulated PIC18F on the ICSP layer's pins, for end-to-end tests of the signalling
// layer and the engine. Constructing it installs it as the process's PinDriver (with
// fresh pin levels); destroying it restores the imported driver.
//
// The ICSP layer's Vpp line reaches MCLR as the wiring says: at VIHH, or at logic
// level (VDD) with PGM raised 5 us before MCLR and lowered after it, or at logic level
// alone (the entry key is then the ICSP layer's to clock in while MCLR is low).
//
// Time is virtual: delay() advances it by 5 us per unit and never waits, so an erase
// or a 300 ms pause costs nothing. Every write reaches the chip at the current virtual
// time; reads return the data-in line as the chip drives it.
//
// Violations: a test ends with a failure for every violation the chip recorded that it
// did not announce with expectViolation, and for every announced kind that never came.
//
//   velmora::test::SimHarness chip("PIC18F4550");   // or ("PIC18F46J50", {}, EntryWiring::MclrOnly)
//   ... run the engine ...
//   EXPECT_EQ(chip.memory().programMemory()[0], 0x12);
//
// The driver calls are serialised, so an engine worker may drive it while the test
// thread waits; read memory() only after the operation has finished.

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "signalling/EntryWiring.h"
#include "signalling/PinDriver.h"
#include "sim/SimulatedChip.h"

namespace velmora::test {

class SimHarness final : public PinDriver {
public:
    // Throws std::invalid_argument for a chip name the model table does not hold.
    explicit SimHarness(std::string_view chipName = sim::kDefaultChipName, sim::FaultSet faults = {},
                        EntryWiring wiring = EntryWiring::HighVoltage);
    ~SimHarness() override;
    SimHarness(const SimHarness&) = delete;
    SimHarness& operator=(const SimHarness&) = delete;

    bool programmerWrite(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) override;
    bool programmerRead(std::uint8_t* level) override;
    bool delay(std::uint32_t units) override;

    // The wiring a chip's own entry takes: logic-level MCLR for the key-only J parts,
    // Vpp at VIHH for every other chip.
    static EntryWiring wiringFor(const sim::ChipModel& model);
    // Enters program/verify mode as the wiring allows: Vpp (or PGM and MCLR) through
    // EnterProgMode, or the key with the model's published waits and 5 us to spare.
    bool enterProgramMode();

    sim::SimulatedChip& chip() { return chip_; }
    sim::ChipMemory& memory() { return chip_.memory(); }
    const sim::ChipModel& model() const { return chip_.model(); }
    // Moves the virtual clock on without any pin activity.
    void advance(sim::SimTime duration);

    std::vector<sim::Violation> violations() const;
    std::size_t violationCount(sim::ViolationKind kind) const;
    // Every command the chip decoded, in order (reads with the byte shifted out).
    std::vector<sim::DecodedCommand> commands() const;

    // Announces that the test provokes violations of this kind: at least one must come.
    void expectViolation(sim::ViolationKind kind);
    // Checks the violations so far against the announcements (as the destructor does),
    // then forgets both.
    void checkViolations();
    // The violations as readable lines, for assertion messages.
    std::string describeViolations() const;

private:
    class CommandRecorder final : public sim::SimObserver {
    public:
        void commandDecoded(const sim::DecodedCommand& command) override { commands.push_back(command); }
        std::vector<sim::DecodedCommand> commands;
    };

    static const sim::ChipModel& modelNamed(std::string_view name);

    mutable std::mutex mutex_;
    sim::SimulatedChip chip_;
    CommandRecorder recorder_;
    const EntryWiring wiring_;
    bool mclrHigh_ = false;
    sim::SimTime now_ {};
    std::vector<sim::ViolationKind> expected_;
};

} // namespace velmora::test
