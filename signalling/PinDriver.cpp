#include "signalling/PinDriver.h"

#include <atomic>

namespace velmora {

namespace {

// Atomic because a test or the simulator installs its driver on one thread while the
// engine's worker picks it up on another.
std::atomic<PinDriver*> installedDriver {nullptr};
PinState processPinState;

} // namespace

void setPinDriver(PinDriver* driver)
{
    installedDriver.store(driver);
}

PinDriver& currentPinDriver()
{
    PinDriver* driver = installedDriver.load();
    return driver != nullptr ? *driver : importedPinDriver();
}

PinState& pinState()
{
    return processPinState;
}

void resetPinState()
{
    processPinState = PinState {};
}

} // namespace velmora
