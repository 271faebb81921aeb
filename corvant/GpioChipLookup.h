#pragma once
// Finding a GPIO chip by the name a port string gives: a path, a number, a
// device name or the chip's label. Only files the device layer confirmed to be
// GPIO chips are ever opened, so a name such as "ttyS0" never reaches a serial
// port (opening one raises its DTR and RTS lines).

#include "corvant/GpioChips.h"

#include <memory>
#include <string>

namespace corvant {

// `name`: a path ("/dev/gpiochip0"), a number ("0" for /dev/gpiochip0), a name
// in the device folder ("gpiochip0") or a chip label ("pinctrl-rp1"), tried in
// that order. nullptr with an errno value in error: ENOENT when no chip answers
// to the name, ENOTTY when a path names something else than a GPIO chip.
// `device` receives the chip's device file.
std::unique_ptr<GpioChip> openGpioChip(GpioChips& chips, const std::string& name, GpioDeviceFile& device,
                                       int& error);

} // namespace corvant
