#pragma once
// Platform layer: the start-up priority raise. The process goes to the high priority
// class and the calling thread above normal where the OS allows it; where it refuses
// (an unprivileged Linux user may not lower its nice value), nothing changes and
// nothing is reported.

namespace velmora::platform {

void raiseProcessAndThreadPriority();

} // namespace velmora::platform
