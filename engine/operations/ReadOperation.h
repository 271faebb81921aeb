#pragma once
// Operation 1: copies the device into the memory image, area by area. A failed or
// cancelled read leaves a blank image rather than a half-read one.

#include "engine/frame/Endings.h"
#include "engine/operations/OperationContext.h"

namespace velmora {

class ReadOperation final : private EndingHooks {
public:
    explicit ReadOperation(const OperationContext& context) : s(context) {}
    void run();

private:
    bool readAll();
    bool readProgramMemory();
    bool readEeprom();
    bool readIds();
    bool readDeviceId();
    bool readConfiguration();

    void discardImage() override;
    void afterSwitchOff() override;
    void beforeOutcome() override;

    OperationContext s;
};

} // namespace velmora
