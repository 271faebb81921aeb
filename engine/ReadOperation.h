#pragma once
// Operation 1: copies the device into the memory image, area by area. A failed or
// cancelled read leaves a blank image rather than a half-read one.

#include "engine/IcspSession.h"

namespace velmora {

class ReadOperation {
public:
    explicit ReadOperation(IcspSession& session) : s(session) {}
    void run();

private:
    bool readAll();
    bool readProgramMemory();
    bool readEeprom();
    bool readIds();
    bool readDeviceId();
    bool readConfiguration();
    // Starts a further area: action text emptied, progress 0, then the area's action.
    void startArea(const char* action);
    bool endArea();
    void closing();
    void failureExit();
    void cancelExit();
    void endAfterSwitchOffFailure(bool clearImage);
    void clearImage();

    IcspSession& s;
};

} // namespace velmora
