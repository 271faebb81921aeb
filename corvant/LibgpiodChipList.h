#pragma once
// The chip list both libgpiod versions share: chips come from the scan of the GPIO
// device files and are opened by the path it found, through gpiod_chip_open, which
// both versions have. <gpiod.h> is whichever version the build found; each
// version's file names its own chip class.

#include "corvant/GpioChips.h"

#include <cerrno>
#include <gpiod.h>
#include <memory>
#include <string>

namespace corvant {

template <class Chip>
class LibgpiodChipList final : public GpioChips {
public:
    explicit LibgpiodChipList(GpioDeviceFiles& files) : files_(files) {}

    GpioDeviceFiles& deviceFiles() override { return files_; }

    std::unique_ptr<GpioChip> open(const GpioDeviceFile& device, int& error) override
    {
        gpiod_chip* chip = gpiod_chip_open(device.path.c_str());
        if (!chip) {
            error = errno != 0 ? errno : ENODEV;
            return nullptr;
        }
        return std::make_unique<Chip>(chip);
    }

    std::string unavailable() const override { return {}; }

private:
    GpioDeviceFiles& files_;
};

template <class Chip>
std::unique_ptr<GpioChips> makeLibgpiodChips(GpioDeviceFiles& files)
{
    return std::make_unique<LibgpiodChipList<Chip>>(files);
}

} // namespace corvant
