#include "engine/operations/VerifyOperation.h"

#include "engine/EngineTexts.h"
#include "engine/ProgrammingOptions.h"
#include "engine/frame/Endings.h"
#include "engine/operations/AreaComparison.h"
#include "engine/operations/EepromCells.h"
#include "engine/operations/ProgrammingEntry.h"

namespace velmora {

void VerifyOperation::run()
{
    differenceFound_ = false;
    if (!s.frame.opened())
        return;
    Endings endings(s.frame);
    switch (verifyAreas()) {
    case Area::Interrupted:
        endings.interrupted();
        return;
    case Area::Aborted:
        abortEnding();
        return;
    case Area::Done:
        break;
    }
    endings.normal(verifyReport(differenceFound_),
                   differenceFound_ ? OperationOutcome::Differences : OperationOutcome::Completed);
}

VerifyOperation::Area VerifyOperation::verifyAreas()
{
    if (!enterProgramming(s))
        return Area::Interrupted;
    if (s.options.programMemory) {
        s.post().postAction(texts::kVerifyProgramMemory);
        if (const Area a = verifyFlashArea(MemoryArea::ProgramMemory, 0, s.programSize()); a != Area::Done)
            return a;
    }
    if (s.options.eeprom && s.eepromSize() != 0) {
        s.frame.startArea(texts::kVerifyEeprom);
        if (const Area a = verifyEeprom(); a != Area::Done)
            return a;
    }
    if (s.options.ids && hasIdLocations(s.device())) {
        s.frame.startArea(texts::kVerifyIds);
        if (const Area a = verifyFlashArea(MemoryArea::Ids, kIdAddress, kIdCount); a != Area::Done)
            return a;
    }
    if (s.options.configuration) {
        s.frame.startArea(texts::kVerifyConfiguration);
        return verifyFlashArea(MemoryArea::Configuration, s.configAddress(), s.configCount());
    }
    return Area::Done;
}

VerifyOperation::Area VerifyOperation::endArea()
{
    return s.frame.endArea() ? Area::Done : Area::Interrupted;
}

VerifyOperation::Area VerifyOperation::verifyFlashArea(MemoryArea area, Address base, std::uint32_t count)
{
    aborted_ = false;
    if (!s.table().read(base, count, comparing(area, base)))
        return aborted_ ? Area::Aborted : Area::Interrupted;
    return endArea();
}

VerifyOperation::Area VerifyOperation::verifyEeprom()
{
    aborted_ = false;
    if (!readEepromCells(s, false, comparing(MemoryArea::Eeprom, 0)))
        return aborted_ ? Area::Aborted : Area::Interrupted;
    return endArea();
}

ByteVisitor VerifyOperation::comparing(MemoryArea area, Address base)
{
    return [this, area, base](std::uint32_t index, std::uint8_t value) {
        const Comparison c = compareByte(s.image(), area, index, value);
        if (!c.differs())
            return AfterByte::Next;
        switch (ask(area, base + index, c.device, c.image)) {
        case Answer::Continue:
            return AfterByte::Next;
        case Answer::SkipArea:
            return AfterByte::Stop;
        case Answer::Abort:
            break;
        }
        aborted_ = true;
        return AfterByte::Leave;
    };
}

VerifyOperation::Answer VerifyOperation::ask(MemoryArea area, Address address, std::uint8_t device,
                                             std::uint8_t image)
{
    differenceFound_ = true;
    const MessageButton answer = s.post().messageBox(MessageKind::Information,
                                                   verifyQuestion(area, address, device, image),
                                                   ButtonYes | ButtonNo | ButtonAbort);
    if (answer == ButtonYes)
        return Answer::Continue;
    if (answer == ButtonNo)
        return Answer::SkipArea;
    return Answer::Abort;
}

void VerifyOperation::abortEnding()
{
    if (!Endings(s.frame).switchedOff())
        return;
    s.frame.finish(OperationOutcome::Aborted);
    s.post().closeWindow();
}

} // namespace velmora
