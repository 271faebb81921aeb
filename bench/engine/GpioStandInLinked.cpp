#include "bench/engine/GpioStandIn.h"

extern "C" std::size_t velmora_gpiod_standin_violations();

bool gpioStandInLinked()
{
    return true;
}

std::size_t gpioStandInViolations()
{
    return velmora_gpiod_standin_violations();
}
