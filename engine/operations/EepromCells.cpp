#include "engine/operations/EepromCells.h"

#include "engine/EngineTexts.h"

namespace velmora {

namespace {

// Address posting, address and read instructions, check, shift-out. A read keeps what
// it read so far when the address itself could not be set.
bool readCell(const OperationContext& c, std::uint32_t cell, std::uint8_t& value)
{
    c.post().postAddress(cell);
    c.post().postProcessText(texts::kWriteInstruction);
    if (!c.icsp.loadEepromAddress(cell)) {
        c.frame.keepImageOnFailure();
        return false;
    }
    if (!c.icsp.latchEepromCell() || !c.frame.check())
        return false;
    c.post().postProcessText(texts::kReadByte);
    return c.icsp.shiftOutTablat(value, texts::kFaultReadingByte);
}

} // namespace

bool forEachEepromCell(const OperationContext& c, const std::function<bool(std::uint32_t cell)>& wanted,
                       const std::function<AfterByte(std::uint32_t cell)>& step)
{
    c.post().postProcessText(texts::kWriteInstruction);
    if (!c.icsp.selectEeprom() || !c.frame.check())
        return false;
    const std::uint32_t size = c.eepromSize();
    for (std::uint32_t e = 0; e < size; ++e) {
        if (!c.frame.check())
            return false;
        if (!wanted(e))
            continue;
        const AfterByte after = step(e);
        if (after != AfterByte::Next)
            return after == AfterByte::Stop;
        c.post().postProgress(percent(e, size - 1));
    }
    return true;
}

bool readEepromCells(const OperationContext& c, bool onlyPresent, const ByteVisitor& visit)
{
    return forEachEepromCell(
        c, [&c, onlyPresent](std::uint32_t e) { return !onlyPresent || c.data.IsEepromPresent(e); },
        [&c, &visit](std::uint32_t e) {
            std::uint8_t value = 0;
            return readCell(c, e, value) ? visit(e, value) : AfterByte::Leave;
        });
}

} // namespace velmora
