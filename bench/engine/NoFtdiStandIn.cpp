#include "bench/engine/FtdiStandInRun.h"

bool ftdiStandInLinked()
{
    return false;
}

void ftdiStandInResetCounts() {}

FtdiStandInCounts ftdiStandInCounts()
{
    return {};
}

std::size_t ftdiStandInViolations()
{
    return 0;
}
