#include "engine/OperationTime.h"

#include <chrono>

#include "engine/TPICPr.h"
#include "signalling/PinDriver.h"

namespace velmora {

namespace {

constexpr std::int32_t kReferenceProgramMemory = 32768;
constexpr std::int32_t kReferenceEeprom = 256;

// Counts every call and wait; reads answer high, as an erased chip's bits do.
class CountingPinDriver final : public PinDriver {
public:
    bool programmerWrite(std::uint8_t, std::uint8_t, std::uint8_t) override
    {
        ++work.writes;
        return true;
    }
    bool programmerRead(std::uint8_t* level) override
    {
        ++work.reads;
        *level = 1;
        return true;
    }
    bool delay(std::uint32_t units) override
    {
        work.waitUnits += units;
        return true;
    }

    corvant::PinWork work;   // the worker's while the read runs
};

} // namespace

corvant::PinWork countFullRead(std::int32_t programMemorySize, std::int32_t eepromSize)
{
    DeviceRecord chip;
    chip.programMemorySize = programMemorySize;
    chip.eepromSize = eepromSize;
    CountingPinDriver counter;
    PinDriver& previous = currentPinDriver();
    setPinDriver(&counter);
    {
        TPICPr engine;
        engine.data().SelectDevice(chip);
        engine.data().ClearImage(true);
        engine.start(OperationRead);
        // Nothing to serve: with no bridge the worker asks nothing of this thread.
        while (!engine.waitIdle(std::chrono::milliseconds(20))) {
        }
    }
    setPinDriver(&previous);
    return counter.work;
}

const corvant::PinWork& referenceFullRead()
{
    static const corvant::PinWork work = countFullRead(kReferenceProgramMemory, kReferenceEeprom);
    return work;
}

} // namespace velmora
