#pragma once
// Operation 4: compares the device with the image area by area without changing
// either, asking at each difference whether to go on, skip the area or stop.

#include <cstdint>

#include "engine/DifferenceReport.h"
#include "engine/IcspSession.h"

namespace velmora {

class VerifyOperation {
public:
    explicit VerifyOperation(IcspSession& session) : s(session) {}
    void run();

private:
    enum class Area { Done, Interrupted, Aborted };
    enum class Answer { Continue, SkipArea, Abort };

    Area verifyAreas();
    Area verifyFlashArea(MemoryArea area, Address base, std::uint32_t count);
    Area verifyEeprom();
    // Compares each byte read with the image and asks at a difference.
    ByteVisitor comparing(MemoryArea area, Address base);
    Area endArea();
    void startArea(const char* action);
    Answer ask(MemoryArea area, Address address, std::uint8_t device, std::uint8_t image);
    void abortEnding();

    IcspSession& s;
    bool differenceFound_ = false;
    bool aborted_ = false;
};

} // namespace velmora
