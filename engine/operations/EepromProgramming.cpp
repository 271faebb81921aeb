#include "engine/operations/EepromProgramming.h"

#include "engine/EngineTexts.h"
#include "engine/ProgrammingOptions.h"
#include "engine/operations/AreaComparison.h"
#include "engine/operations/EepromRead.h"

namespace velmora {

namespace {
constexpr std::uint8_t kEecon1Wr = 1 << 1;
constexpr std::uint8_t kUnlockFirst = 0x55;
constexpr std::uint8_t kUnlockSecond = 0xAA;
// PGC stays low this long once WR reads clear, before the next command (P10 of the
// newer family, 100 us; the older family needs less).
constexpr std::uint32_t kDischargeUnits = 20;
} // namespace

bool EepromProgramming::run()
{
    s.frame.startArea(texts::kProgramEeprom);
    s.post().postProcessText(texts::kWriteInstruction);
    if (!s.icsp.selectEeprom() || !s.frame.check())
        return false;
    const std::uint32_t size = s.eepromSize();
    for (std::uint32_t e = 0; e < size; ++e) {
        if (!s.frame.check())
            return false;
        if (s.image().eeprom[e] == kBlank)
            continue;
        if (!writeCell(e))
            return false;
        s.post().postProgress(percent(e, size - 1));
    }
    return s.frame.endArea() && verify();
}

bool EepromProgramming::writeCell(std::uint32_t cell)
{
    s.post().postAddress(cell);
    s.post().postProcessText(texts::kWriteInstruction);
    if (!s.icsp.loadEepromAddress(cell) || !s.icsp.core(movlw(s.image().eeprom[cell])) || !s.icsp.core(CoreInstruction::MovwfEedata)
        || !s.icsp.core(CoreInstruction::BsfEecon1Wren) || !s.icsp.core(movlw(kUnlockFirst))
        || !s.icsp.core(CoreInstruction::MovwfEecon2) || !s.icsp.core(movlw(kUnlockSecond))
        || !s.icsp.core(CoreInstruction::MovwfEecon2) || !s.icsp.core(CoreInstruction::BsfEecon1Wr)
        || !s.icsp.core(CoreInstruction::Nop) || !s.frame.check())
        return false;
    s.post().postProcessText(texts::kWaitWriteCompleted);
    if (!waitWriteCompleted() || !s.frame.pause(kDischargeUnits))
        return false;
    s.post().postProcessText(texts::kWriteInstruction);
    return s.icsp.core(CoreInstruction::BcfEecon1Wren);
}

bool EepromProgramming::waitWriteCompleted()
{
    for (;;) {
        std::uint8_t eecon1 = 0;
        if (!s.icsp.core(CoreInstruction::MovfEecon1W) || !s.icsp.core(CoreInstruction::MovwfTablat)
            || !s.icsp.core(CoreInstruction::Nop) || !s.icsp.shiftOutTablat(eecon1, texts::kFaultReadingInstruction)
            || !s.frame.check())
            return false;
        if ((eecon1 & kEecon1Wr) == 0)
            return true;
    }
}

bool EepromProgramming::verify()
{
    s.frame.startArea(texts::kVerifyWrittenEeprom);
    return readEepromCells(s, s.options.fastVerify, failAtDifference(s, MemoryArea::Eeprom, 0))
        && s.frame.endArea();
}

} // namespace velmora
