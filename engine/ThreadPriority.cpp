#include "engine/ThreadPriority.h"

#if defined(_WIN32)
#  include <windows.h>
#else
#  include <sys/resource.h>
#  include <sys/syscall.h>
#  include <unistd.h>
#  include <cerrno>
#endif

namespace velmora {

#if defined(_WIN32)

bool raiseCurrentThreadPriority()
{
    return SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST) != 0;
}

#else

namespace {
// THREAD_PRIORITY_HIGHEST is two steps above normal; nice -2 is the closest match that
// stays in the time-sharing class (a real-time busy-waiter could starve the machine).
constexpr int kNiceSteps = 2;
} // namespace

bool raiseCurrentThreadPriority()
{
    // On Linux a nice value set through the thread id applies to that thread only.
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, tid);
    if (errno != 0)
        return false;
    return setpriority(PRIO_PROCESS, tid, current - kNiceSteps) == 0;
}

#endif

} // namespace velmora
