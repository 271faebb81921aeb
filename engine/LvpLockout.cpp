#include "engine/LvpLockout.h"

#include "devicedata/ConfigMasks.h"
#include "engine/OperationCode.h"

namespace velmora {

bool LocksOutLowVoltageEntry(std::uint8_t operation, const ProgrammingOptions& options, const MemoryImage& image,
                             bool lowVoltageEntry)
{
    return lowVoltageEntry && operation == OperationProgram && options.configuration && TurnsLvpOff(image);
}

} // namespace velmora
