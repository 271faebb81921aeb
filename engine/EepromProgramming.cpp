#include "engine/EepromProgramming.h"

#include "engine/AreaComparison.h"
#include "engine/EngineTexts.h"
#include "engine/ProgrammingOptions.h"

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
    s.post.postAction({});
    s.post.postProgress(0);
    s.post.postAction(texts::kProgramEeprom);
    s.post.postProcessText(texts::kWriteInstruction);
    if (!s.selectEeprom() || !s.check())
        return false;
    const std::uint32_t size = s.eepromSize();
    for (std::uint32_t e = 0; e < size; ++e) {
        if (!s.check())
            return false;
        if (s.image.eeprom[e] == kBlank)
            continue;
        if (!writeCell(e))
            return false;
        s.post.postProgress(percent(e, size - 1));
    }
    s.post.postProcessText({});
    s.post.clearAddress();
    return s.wait300ms() && s.check() && verify();
}

bool EepromProgramming::writeCell(std::uint32_t cell)
{
    s.post.postAddress(cell);
    s.post.postProcessText(texts::kWriteInstruction);
    if (!s.loadEepromAddress(cell) || !s.core(movlw(s.image.eeprom[cell])) || !s.core(CoreInstruction::MovwfEedata)
        || !s.core(CoreInstruction::BsfEecon1Wren) || !s.core(movlw(kUnlockFirst))
        || !s.core(CoreInstruction::MovwfEecon2) || !s.core(movlw(kUnlockSecond))
        || !s.core(CoreInstruction::MovwfEecon2) || !s.core(CoreInstruction::BsfEecon1Wr)
        || !s.core(CoreInstruction::Nop) || !s.check())
        return false;
    s.post.postProcessText(texts::kWaitWriteCompleted);
    if (!waitWriteCompleted() || !s.pause(kDischargeUnits))
        return false;
    s.post.postProcessText(texts::kWriteInstruction);
    return s.core(CoreInstruction::BcfEecon1Wren);
}

bool EepromProgramming::waitWriteCompleted()
{
    for (;;) {
        std::uint8_t eecon1 = 0;
        if (!s.core(CoreInstruction::MovfEecon1W) || !s.core(CoreInstruction::MovwfTablat)
            || !s.core(CoreInstruction::Nop) || !s.shiftOutTablat(eecon1, texts::kFaultReadingInstruction)
            || !s.check())
            return false;
        if ((eecon1 & kEecon1Wr) == 0)
            return true;
    }
}

bool EepromProgramming::verify()
{
    s.post.postAction({});
    s.post.postProgress(0);
    s.post.postAction(texts::kVerifyWrittenEeprom);
    if (!s.readEepromCells(s.options.fastVerify, failAtDifference(s, MemoryArea::Eeprom, 0)))
        return false;
    s.post.postProcessText({});
    s.post.clearAddress();
    return s.wait300ms() && s.check();
}

} // namespace velmora
