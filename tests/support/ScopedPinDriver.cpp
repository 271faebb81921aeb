#include "tests/support/ScopedPinDriver.h"

namespace velmora::test {

ScopedPinDriver::ScopedPinDriver(PinDriver& driver)
{
    resetPinState();
    setPinDriver(&driver);
}

ScopedPinDriver::~ScopedPinDriver()
{
    setPinDriver(nullptr);
    resetPinState();
}

} // namespace velmora::test
