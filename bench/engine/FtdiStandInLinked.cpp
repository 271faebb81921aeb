#include "bench/engine/FtdiStandInRun.h"

#include "FtdiStandIn.h"

bool ftdiStandInLinked()
{
    return true;
}

void ftdiStandInResetCounts()
{
    velmora_ftdi_standin_reset_counts();
}

FtdiStandInCounts ftdiStandInCounts()
{
    const velmora_ftdi_standin_counts counts = velmora_ftdi_standin_counted();
    return FtdiStandInCounts{counts.exchanges, counts.bytes_written, static_cast<double>(counts.read_wait_ns) * 1e-9,
                             static_cast<double>(counts.write_wait_ns) * 1e-9, counts.stalls,
                             static_cast<double>(counts.idle_ns) * 1e-9};
}

std::size_t ftdiStandInViolations()
{
    return velmora_ftdi_standin_violations();
}
