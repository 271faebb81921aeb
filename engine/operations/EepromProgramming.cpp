#include "engine/operations/EepromProgramming.h"

#include "engine/EngineTexts.h"
#include "engine/ProgrammingOptions.h"
#include "engine/operations/AreaComparison.h"
#include "engine/operations/EepromCells.h"
#include "engine/operations/SelfTimedWrite.h"

namespace velmora {

bool EepromProgramming::run()
{
    s.frame.startArea(texts::kProgramEeprom);
    const auto written = [this](std::uint32_t e) { return s.image().eeprom[e] != kBlank; };
    const auto write = [this](std::uint32_t e) { return writeCell(e) ? AfterByte::Next : AfterByte::Leave; };
    return forEachEepromCell(s, written, write) && s.frame.endArea() && verify();
}

bool EepromProgramming::writeCell(std::uint32_t cell)
{
    s.post().postAddress(cell);
    s.post().postProcessText(texts::kWriteInstruction);
    if (!s.icsp.loadEepromAddress(cell) || !s.icsp.startEepromWrite(s.image().eeprom[cell]) || !s.frame.check())
        return false;
    return finishSelfTimedWrite(s);
}

bool EepromProgramming::verify()
{
    s.frame.startArea(texts::kVerifyWrittenEeprom);
    return readEepromCells(s, s.options.fastVerify, failAtDifference(s, MemoryArea::Eeprom, 0))
        && s.frame.endArea();
}

} // namespace velmora
