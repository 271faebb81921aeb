#pragma once
// Operation 4: compares the device with the image area by area without changing
// either, asking at each difference whether to go on, skip the area or stop.

#include <cstdint>

#include "engine/DifferenceReport.h"
#include "engine/operations/OperationContext.h"

namespace velmora {

class VerifyOperation {
public:
    explicit VerifyOperation(const OperationContext& context) : s(context) {}
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
    Answer ask(MemoryArea area, Address address, std::uint8_t device, std::uint8_t image);
    void abortEnding();

    OperationContext s;
    bool differenceFound_ = false;
    bool aborted_ = false;
};

} // namespace velmora
