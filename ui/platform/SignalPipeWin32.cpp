#include "ui/platform/SignalPipe.h"

namespace velmora::platform {

// A windowed Windows program gets WM_CLOSE and WM_ENDSESSION instead, which Qt turns
// into the main window's close event.
int openEndingSignalPipe()
{
    return -1;
}

int readEndingSignals(int)
{
    return 0;
}

} // namespace velmora::platform
