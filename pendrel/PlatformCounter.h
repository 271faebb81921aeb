#pragma once
// The operating system's high-resolution counter: one implementation file per platform.

#include "pendrel/PerformanceCounter.h"

namespace pendrel {

PerformanceCounter& platformCounter();

} // namespace pendrel
