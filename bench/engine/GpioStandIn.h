#pragma once
// Whether this benchmark runs with the libgpiod stand-in in front of libgpiod,
// and what the stand-in's simulated chip objected to.

#include <cstddef>

bool gpioStandInLinked();
std::size_t gpioStandInViolations();
