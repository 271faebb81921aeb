#include "engine/operations/SelfTimedWrite.h"

#include "engine/EngineTexts.h"

namespace velmora {

bool finishSelfTimedWrite(const OperationContext& c)
{
    c.post().postProcessText(texts::kWaitWriteCompleted);
    if (!c.icsp.waitWhileWriting() || !c.frame.pause(c.strategy().codeWaits.dischargeUnits))
        return false;
    c.post().postProcessText(texts::kWriteInstruction);
    return c.icsp.clearWriteEnable();
}

} // namespace velmora
