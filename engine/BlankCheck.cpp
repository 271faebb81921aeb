#include "engine/BlankCheck.h"

#include "engine/EngineTexts.h"

namespace velmora {

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
    return checked(s.readTable(0, s.programSize(), untilNotBlank()));
}

BlankCheck::Area BlankCheck::checkEeprom()
{
    // Without EEPROM only the area itself is left out: its closing pause still runs.
    if (s.eepromSize() == 0)
        return endArea() ? Area::Blank : Area::Interrupted;
    startArea(texts::kBlankCheckEeprom);
    return checked(s.readEepromCells(false, untilNotBlank()));
}

BlankCheck::Area BlankCheck::checkIds()
{
    startArea(texts::kBlankCheckIds);
    return checked(s.readTable(kIdAddress, kIdCount, untilNotBlank()));
}

BlankCheck::Area BlankCheck::checkConfiguration()
{
    startArea(texts::kBlankCheckConfiguration);
    // Blank when every bit the mask controls reads as 1; the other bits do not count.
    const ByteVisitor masked = [this](std::uint32_t k, std::uint8_t value) {
        const std::uint8_t mask = s.image.configMask[k];
        if ((value & mask) == mask)
            return AfterByte::Next;
        notBlank_ = true;
        return AfterByte::Stop;
    };
    return checked(s.readTable(kConfigAddress, kConfigCount, masked));
}

ByteVisitor BlankCheck::untilNotBlank()
{
    return [this](std::uint32_t, std::uint8_t value) {
        if (value == kBlank)
            return AfterByte::Next;
        notBlank_ = true;
        return AfterByte::Stop;
    };
}

BlankCheck::Area BlankCheck::checked(bool read)
{
    if (!read)
        return Area::Interrupted;
    if (notBlank_)
        return foundNotBlank();
    return endArea() ? Area::Blank : Area::Interrupted;
}

} // namespace velmora
