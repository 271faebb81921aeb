// The C exports. Each forwards to the one PinInterface and never lets an
// exception cross into the caller.

#include "corvant/corvant.h"

#include "corvant/CorvantTexts.h"
#include "corvant/PinInterface.h"

namespace {

corvant::PinInterface& pins()
{
    static corvant::PinInterface instance;
    return instance;
}

uint8_t result(bool ok)
{
    return ok ? 1 : 0;
}

} // namespace

extern "C" {

uint8_t CORVANT_CALL ComInit(const char* port)
{
    try {
        return result(pins().comInit(port));
    } catch (...) {
        return 0;
    }
}

uint8_t CORVANT_CALL ComClose(void)
{
    try {
        return result(pins().comClose());
    } catch (...) {
        return 0;
    }
}

uint8_t CORVANT_CALL ProgrammerWrite(uint8_t vpp, uint8_t data, uint8_t clock)
{
    try {
        return result(pins().write(vpp, data, clock));
    } catch (...) {
        return 0;
    }
}

uint8_t CORVANT_CALL ProgrammerRead(uint8_t* level)
{
    try {
        return result(pins().read(level));
    } catch (...) {
        return 0;
    }
}

uint8_t CORVANT_CALL GetLineCosts(uint32_t* writeNanoseconds, uint32_t* readNanoseconds)
{
    try {
        return result(pins().lineCosts(writeNanoseconds, readNanoseconds));
    } catch (...) {
        return 0;
    }
}

uint8_t CORVANT_CALL ProgrammerStream(const uint32_t* steps, uint32_t stepCount, uint8_t* levels, uint32_t levelCount)
{
    try {
        return result(pins().stream(steps, stepCount, levels, levelCount));
    } catch (...) {
        return 0;
    }
}

const char* CORVANT_CALL GetDllInfo(void)
{
    try {
        return pins().info();
    } catch (...) {
        return corvant::texts::kLibrary.data();
    }
}

} // extern "C"
