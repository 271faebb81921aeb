#include "engine/LvpLockout.h"

#include "devicedata/ConfigMasks.h"
#include "devicedata/ProgrammingFamily.h"
#include "engine/OperationCode.h"

namespace velmora {

bool LocksOutLowVoltageEntry(std::uint8_t operation, const ProgrammingOptions& options, const DeviceImage& data,
                             bool lowVoltageEntry)
{
    if (!factsFor(data.device.family).highVoltageEntry)
        return false;
    return lowVoltageEntry && operation == OperationProgram && options.configuration && TurnsLvpOff(data.image);
}

} // namespace velmora
