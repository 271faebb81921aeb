#pragma once
// The bit-bang programmer on GPIO lines of a character-device chip (the header
// of a single-board computer): Vpp, PGC and PGD outputs, the target's data read
// on PGD itself (open-drain) or on a separate input line.

#include "corvant/BackendTable.h"
#include "corvant/GpioChips.h"
#include "corvant/GpioPortOptions.h"
#include "corvant/PinBackend.h"

#include <memory>
#include <string>

namespace corvant {

class GpioBackend final : public PinBackend {
public:
    // Requests the lines with every output inactive; nullptr (nothing held)
    // with the reason in failure when the chip or a line is not usable.
    static std::unique_ptr<PinBackend> open(GpioChips& chips, const GpioWiring& wiring, std::string& failure);
    ~GpioBackend() override;
    GpioBackend(const GpioBackend&) = delete;
    GpioBackend& operator=(const GpioBackend&) = delete;

    bool write(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock) override;
    bool read(std::uint8_t& level) override;
    bool close() override;
    std::string describe() const override;

private:
    GpioBackend(std::unique_ptr<GpioChip> chip, GpioWiring wiring);
    bool checkLines(std::string& failure);
    bool requestLines(std::string& failure);
    bool separateDataLine() const { return !wiring_.pgdIn; }

    // Declared first: the requests go before the chip they came from.
    std::unique_ptr<GpioChip> chip_;
    GpioWiring wiring_;
    // Vpp and PGC (and PGD when it is push-pull) in one request, so one kernel
    // call sets them all.
    std::unique_ptr<GpioLineRequest> outputs_;
    // The open-drain PGD, or the separate data-in line.
    std::unique_ptr<GpioLineRequest> dataLine_;
    bool vppOn_ = false;
};

// The row for "GPIO:" ports on `chips`.
BackendEntry gpioBackendEntry(GpioChips& chips);

} // namespace corvant
