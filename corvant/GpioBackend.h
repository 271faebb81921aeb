#pragma once
// The bit-bang programmer on GPIO lines of a character-device chip (the header
// of a single-board computer): Vpp (or MCLR at logic level, with or without PGM), PGC and
// PGD outputs, the target's data read on PGD itself (open-drain) or on a
// separate input line.

#include "corvant/BackendTable.h"
#include "corvant/GpioChips.h"
#include "corvant/GpioPortOptions.h"
#include "corvant/PinBackend.h"

#include <memory>
#include <string>
#include <vector>

namespace corvant {

class GpioBackend final : public PinBackend {
public:
    // Requests the lines with every output inactive; nullptr (nothing held)
    // with the reason in failure when the chip or a line is not usable.
    static std::unique_ptr<PinBackend> open(GpioChips& chips, const GpioWiring& wiring, std::string& failure);
    ~GpioBackend() override;
    GpioBackend(const GpioBackend&) = delete;
    GpioBackend& operator=(const GpioBackend&) = delete;

    bool setVpp(bool on) override;
    bool setDataClock(bool data, bool clock) override;
    bool read(std::uint8_t& level) override;
    bool close() override;
    std::string describe() const override;

private:
    // The outputs' signals: 1 is on, whatever the line's polarity.
    struct Signals {
        bool vpp = false;
        bool pgm = false;
        bool pgc = false;
        bool pgd = false;
    };
    // Where a line sits: its request, and its place among that request's
    // lines and among its outputs.
    struct Placement {
        std::size_t request = 0;
        std::size_t index = 0;
        std::size_t output = 0;
    };
    struct Request {
        std::vector<GpioLineSetting> lines;
        std::unique_ptr<GpioLineRequest> held;
        std::vector<int> levels;  // the outputs' physical levels, as last set
    };

    GpioBackend(std::unique_ptr<GpioChip> chip, GpioWiring wiring, std::string devicePath);
    bool checkLines(std::string& failure);
    bool requestLines(std::string& failure);
    void place(const GpioLine& line, GpioDrive drive, int level, Placement& where);
    bool apply(const Signals& signals);
    bool separateDataLine() const { return !wiring_.pgdIn; }

    // Declared first: the requests go before the chip they came from.
    std::unique_ptr<GpioChip> chip_;
    GpioWiring wiring_;
    std::string devicePath_;
    // One request with libgpiod 2.x; one per drive with 1.6, the push-pull one
    // first, so that Vpp is requested (inactive) before anything else moves.
    std::vector<Request> requests_;
    Placement vpp_, pgm_, pgc_, pgd_, dataIn_;
    Signals signals_;
    std::vector<std::vector<int>> wanted_;  // apply()'s levels per request
};

// The row for "GPIO:" ports on `chips`.
BackendEntry gpioBackendEntry(GpioChips& chips);

} // namespace corvant
