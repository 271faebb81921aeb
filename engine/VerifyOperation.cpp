#include "engine/VerifyOperation.h"

#include "engine/AreaComparison.h"
#include "engine/EngineTexts.h"
#include "engine/ProgrammingOptions.h"

namespace velmora {

void VerifyOperation::run()
{
    s.open();
    differenceFound_ = false;
    s.post.clearDisplays();
    if (s.cancelRequested()) {
        s.finish(OperationOutcome::Cancelled);
        return;
    }
    switch (verifyAreas()) {
    case Area::Interrupted:
        if (s.cancelled())
            s.cancelExit();
        else
            s.failureExit();
        return;
    case Area::Aborted:
        abortEnding();
        return;
    case Area::Done:
        break;
    }
    s.normalEnding(verifyReport(differenceFound_),
                   differenceFound_ ? OperationOutcome::Differences : OperationOutcome::Completed);
}

VerifyOperation::Area VerifyOperation::verifyAreas()
{
    if (!s.enterProgramming())
        return Area::Interrupted;
    if (s.options.programMemory) {
        s.post.postAction(texts::kVerifyProgramMemory);
        if (const Area a = verifyFlashArea(MemoryArea::ProgramMemory, 0, s.programSize()); a != Area::Done)
            return a;
    }
    if (s.options.eeprom && s.eepromSize() != 0) {
        startArea(texts::kVerifyEeprom);
        if (const Area a = verifyEeprom(); a != Area::Done)
            return a;
    }
    if (s.options.ids) {
        startArea(texts::kVerifyIds);
        if (const Area a = verifyFlashArea(MemoryArea::Ids, kIdAddress, kIdCount); a != Area::Done)
            return a;
    }
    if (s.options.configuration) {
        startArea(texts::kVerifyConfiguration);
        return verifyFlashArea(MemoryArea::Configuration, kConfigAddress, kConfigCount);
    }
    return Area::Done;
}

void VerifyOperation::startArea(const char* action)
{
    s.post.postAction({});
    s.post.postProgress(0);
    s.post.postAction(action);
}

VerifyOperation::Area VerifyOperation::endArea()
{
    s.post.postProcessText({});
    s.post.clearAddress();
    return s.wait300ms() && s.check() ? Area::Done : Area::Interrupted;
}

VerifyOperation::Area VerifyOperation::verifyFlashArea(MemoryArea area, Address base, std::uint32_t count)
{
    aborted_ = false;
    if (!s.readTable(base, count, comparing(area, base)))
        return aborted_ ? Area::Aborted : Area::Interrupted;
    return endArea();
}

VerifyOperation::Area VerifyOperation::verifyEeprom()
{
    aborted_ = false;
    if (!s.readEepromCells(false, comparing(MemoryArea::Eeprom, 0)))
        return aborted_ ? Area::Aborted : Area::Interrupted;
    return endArea();
}

ByteVisitor VerifyOperation::comparing(MemoryArea area, Address base)
{
    return [this, area, base](std::uint32_t index, std::uint8_t value) {
        const Comparison c = compareByte(s.image, area, index, value);
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
    const MessageButton answer = s.post.messageBox(MessageKind::Information,
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
    if (!s.switchOff()) {
        s.endAfterSwitchOffFailure();
        return;
    }
    s.finish(OperationOutcome::Aborted);
    s.post.closeWindow();
}

} // namespace velmora
