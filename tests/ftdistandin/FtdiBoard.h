#pragma once
// The board on the stand-in adapter's pins: a simulated PIC18F wired as
// VELMORA_FTDI_STANDIN_WIRING says (FtdiStandIn.h), fed every pin change at its time
// on the adapter's timeline.
//
// PGD: the pgd output reaches the chip through a series resistor, so while the chip
// drives PGD (a read's data bits) its level wins, on the chip's pin and on pgdin.
// On a board without the resistor the two drive each other: a contention whenever
// their levels differ. Lines no output drives are held low by
// the board (MCLR, PGC, PGM) or pulled up (PGD, unconnected pins), as the adapter's
// inputs then read them.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Ft232rModel.h"
#include "corvant/sim/SimPortOptions.h"
#include "corvant/sim/TraceWriter.h"
#include "sim/SimulatedChip.h"

namespace ftdistandin {

struct Wiring {
    unsigned mclr = 0;
    bool highVoltage = false;  // vpp=: the pin switches Vpp onto MCLR
    unsigned pgc = 0;
    unsigned pgd = 0;
    unsigned pgdin = 0;
    std::optional<unsigned> pgm;
    bool seriesResistor = true;
};

// The wiring a VELMORA_FTDI_STANDIN_WIRING text describes, read as the FTDI port's keys
// are; nullopt for a text the port grammar refuses. Empty: the default map.
std::optional<Wiring> parseWiring(std::string_view text);

class FtdiBoard final : public Pins {
public:
    // The chip a SIM port string names and its image loaded; nullptr with `error` set.
    static std::unique_ptr<FtdiBoard> open(const std::string& simPort, const Wiring& wiring, std::string& error);
    ~FtdiBoard();

    std::uint8_t sample(SimTime time) override;
    void apply(SimTime time, std::uint8_t levels, std::uint8_t outputs) override;
    // A mistake of the host's that only the adapter sees, reported once.
    void note(const std::string& violation);
    // Every violation seen, the chip's and the board's; the image saved, the trace closed.
    std::vector<std::string> close(std::string& error);

private:
    FtdiBoard(const velmora::sim::SimPortOptions& options, const Wiring& wiring);
    bool driven(unsigned pin) const { return ((outputs_ & levels_) >> pin & 1) != 0; }
    bool isOutput(unsigned pin) const { return (outputs_ >> pin & 1) != 0; }
    bool programmerData() const { return isOutput(wiring_.pgd) ? driven(wiring_.pgd) : true; }
    bool pgdLine() const;
    void checkContention(SimTime time);

    velmora::sim::SimulatedChip chip_;
    velmora::sim::TraceWriter trace_;
    std::string imagePath_;
    Wiring wiring_;
    std::uint8_t levels_ = 0;
    std::uint8_t outputs_ = 0;
    bool pgm_ = false;
    bool contention_ = false;
    std::vector<std::string> violations_;
};

} // namespace ftdistandin
