#include "engine/operations/BlankCheck.h"

#include "engine/EngineTexts.h"
#include "engine/operations/EepromCells.h"

namespace velmora {

BlankCheckResult BlankCheck::run()
{
    s.post().clearAddress();
    s.post().postProcessText({});
    s.post().postAction({});
    s.post().postProgress(0);
    if (!s.frame.check())
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

    s.post().clearAddress();
    s.post().postProcessText({});
    s.post().postAction({});
    s.post().postProgress(0);
    return s.frame.check() ? BlankCheckResult::Blank : interrupted();
}

BlankCheckResult BlankCheck::interrupted() const
{
    return s.frame.cancelled() ? BlankCheckResult::Cancelled : BlankCheckResult::Failed;
}

BlankCheck::Area BlankCheck::foundNotBlank()
{
    return s.frame.wait300ms() ? Area::NotBlank : Area::Interrupted;
}

BlankCheck::Area BlankCheck::checkProgramMemory()
{
    s.post().postAction(texts::kBlankCheckProgramMemory);
    // Configuration words in flash are erased to FFh with the code: they count as code here.
    return checked(s.table().read(0, s.flashSize(), untilNotBlank()));
}

BlankCheck::Area BlankCheck::checkEeprom()
{
    // Without EEPROM only the area itself is left out: its closing pause still runs.
    if (s.eepromSize() == 0)
        return s.frame.endArea() ? Area::Blank : Area::Interrupted;
    s.frame.startArea(texts::kBlankCheckEeprom);
    return checked(readEepromCells(s, false, untilNotBlank()));
}

BlankCheck::Area BlankCheck::checkIds()
{
    if (!hasIdLocations(s.device()))
        return Area::Blank;
    s.frame.startArea(texts::kBlankCheckIds);
    return checked(s.table().read(kIdAddress, kIdCount, untilNotBlank()));
}

BlankCheck::Area BlankCheck::checkConfiguration()
{
    if (s.configInFlash())
        return Area::Blank;
    s.frame.startArea(texts::kBlankCheckConfiguration);
    // Blank when every bit the mask controls reads as 1; the other bits do not count.
    const ByteVisitor masked = [this](std::uint32_t k, std::uint8_t value) {
        const std::uint8_t mask = s.image().configMask[k];
        if ((value & mask) == mask)
            return AfterByte::Next;
        notBlank_ = true;
        return AfterByte::Stop;
    };
    return checked(s.table().read(kConfigAddress, kConfigCount, masked));
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
    return s.frame.endArea() ? Area::Blank : Area::Interrupted;
}

} // namespace velmora
