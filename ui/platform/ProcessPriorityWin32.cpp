#include "ui/platform/ProcessPriority.h"

#include <windows.h>

namespace velmora::platform {

void raiseProcessAndThreadPriority()
{
    HANDLE process = OpenProcess(PROCESS_SET_INFORMATION, FALSE, GetCurrentProcessId());
    if (process != nullptr) {
        SetPriorityClass(process, HIGH_PRIORITY_CLASS);
        CloseHandle(process);
    }
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_ABOVE_NORMAL);
}

} // namespace velmora::platform
