#include "engine/BlankCheck.h"

#include "engine/EngineTexts.h"

namespace velmora {

namespace {
constexpr int kLastId = kIdCount - 1;
constexpr int kLastConfig = kConfigCount - 1;
} // namespace

BlankCheckResult BlankCheck::run()
{
    s.post.clearAddress();
    s.post.postProcessText({});
    s.post.postAction({});
    s.post.postProgress(0);
    if (!s.check())
        return interrupted();

    using Check = Area (BlankCheck::*)();
    for (Check area : {&BlankCheck::checkProgramMemory, &BlankCheck::checkEeprom, &BlankCheck::checkIds,
                       &BlankCheck::checkConfiguration}) {
        const Area result = (this->*area)();
        if (result == Area::NotBlank)
            return BlankCheckResult::NotBlank;
        if (result == Area::Interrupted)
            return interrupted();
    }

    s.post.clearAddress();
    s.post.postProcessText({});
    s.post.postAction({});
    s.post.postProgress(0);
    return s.check() ? BlankCheckResult::Blank : interrupted();
}

BlankCheckResult BlankCheck::interrupted() const
{
    return s.cancelled() ? BlankCheckResult::Cancelled : BlankCheckResult::Failed;
}

BlankCheck::Area BlankCheck::foundNotBlank()
{
    return s.wait300ms() ? Area::NotBlank : Area::Interrupted;
}

void BlankCheck::startArea(const char* action)
{
    s.post.postAction({});
    s.post.postProgress(0);
    s.post.postAction(action);
}

bool BlankCheck::endArea()
{
    s.post.postProcessText({});
    s.post.clearAddress();
    return s.wait300ms() && s.check();
}

BlankCheck::Area BlankCheck::checkProgramMemory()
{
    s.post.postAction(texts::kBlankCheckProgramMemory);
    if (!s.startTableRead(0))
        return Area::Interrupted;
    const std::uint32_t size = s.programSize();
    for (std::uint32_t a = 0; a < size; ++a) {
        std::uint8_t value = 0;
        if (!s.check())
            return Area::Interrupted;
        s.post.postAddress(a);
        if (!s.readFlashByte(a == size - 1, value))
            return Area::Interrupted;
        if (value != kBlank)
            return foundNotBlank();
        s.post.postProgress(percent(a, size - 1));
    }
    return endArea() ? Area::Blank : Area::Interrupted;
}

BlankCheck::Area BlankCheck::checkEeprom()
{
    const std::uint32_t size = s.eepromSize();
    if (size == 0)
        return Area::Blank;
    startArea(texts::kBlankCheckEeprom);
    s.post.postProcessText(texts::kWriteInstruction);
    if (!s.selectEeprom() || !s.check())
        return Area::Interrupted;
    for (std::uint32_t e = 0; e < size; ++e) {
        std::uint8_t value = 0;
        if (!s.check() || !s.readEepromCell(e, value))
            return Area::Interrupted;
        if (value != kBlank)
            return foundNotBlank();
        s.post.postProgress(percent(e, size - 1));
    }
    return endArea() ? Area::Blank : Area::Interrupted;
}

BlankCheck::Area BlankCheck::checkIds()
{
    startArea(texts::kBlankCheckIds);
    if (!s.startTableRead(kIdAddress))
        return Area::Interrupted;
    for (int j = 0; j <= kLastId; ++j) {
        std::uint8_t value = 0;
        if (!s.check())
            return Area::Interrupted;
        s.post.postAddress(kIdAddress + j);
        if (!s.readFlashByte(j == kLastId, value))
            return Area::Interrupted;
        if (value != kBlank)
            return foundNotBlank();
        s.post.postProgress(percent(j, kLastId));
    }
    return endArea() ? Area::Blank : Area::Interrupted;
}

BlankCheck::Area BlankCheck::checkConfiguration()
{
    startArea(texts::kBlankCheckConfiguration);
    if (!s.startTableRead(kConfigAddress))
        return Area::Interrupted;
    for (int k = 0; k <= kLastConfig; ++k) {
        std::uint8_t value = 0;
        if (!s.check())
            return Area::Interrupted;
        s.post.postAddress(kConfigAddress + k);
        if (!s.readFlashByte(k == kLastConfig, value))
            return Area::Interrupted;
        const std::uint8_t mask = s.image.configMask[k];
        if ((value & mask) != mask)
            return foundNotBlank();
        s.post.postProgress(percent(k, kLastConfig));
    }
    return endArea() ? Area::Blank : Area::Interrupted;
}

} // namespace velmora
