#pragma once
// The operating system's high-resolution counter as a PerformanceCounter.

#include "pendrel/PerformanceCounter.h"

namespace pendrel {

PerformanceCounter& platformCounter();

} // namespace pendrel
