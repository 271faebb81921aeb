#include "bench/engine/GpioStandIn.h"

bool gpioStandInLinked()
{
    return false;
}

std::size_t gpioStandInViolations()
{
    return 0;
}
