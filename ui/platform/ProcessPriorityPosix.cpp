#include "ui/platform/ProcessPriority.h"

#include <sys/resource.h>

namespace velmora::platform {

namespace {

// The high priority class as a nice value.
constexpr int kHighPriorityNice = -10;

} // namespace

void raiseProcessAndThreadPriority()
{
    // Where nice belongs to the process this is the high priority class. On Linux each
    // thread has its own nice value and 0 names the calling thread: the user-interface
    // thread is raised, and the threads it starts later (the engine's worker) inherit
    // it. A refusal (no privilege to lower nice) leaves everything as it was.
    setpriority(PRIO_PROCESS, 0, kHighPriorityNice);
}

} // namespace velmora::platform
