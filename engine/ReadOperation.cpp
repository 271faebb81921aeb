#include "engine/ReadOperation.h"

#include "engine/EngineTexts.h"
#include "engine/ProgrammingOptions.h"

namespace velmora {

namespace {
constexpr std::uint16_t kHalfway = 50;
constexpr std::uint16_t kComplete = 100;

ByteVisitor storeIn(std::uint8_t* area)
{
    return [area](std::uint32_t index, std::uint8_t value) {
        area[index] = value;
        return AfterByte::Next;
    };
}
} // namespace

void ReadOperation::run()
{
    s.open();
    s.post.clearDisplays();
    s.data.ClearImage(true);
    if (s.cancelRequested()) {
        s.finish(OperationOutcome::Cancelled);
        return;
    }
    if (!readAll()) {
        if (s.cancelled())
            cancelExit();
        else
            failureExit();
        return;
    }
    closing();
}

bool ReadOperation::readAll()
{
    if (!s.enterProgramming())
        return false;
    if (s.options.programMemory && !readProgramMemory())
        return false;
    if (s.options.eeprom && s.eepromSize() != 0 && !readEeprom())
        return false;
    if (s.options.ids && !readIds())
        return false;
    if (!readDeviceId())
        return false;
    return !s.options.configuration || readConfiguration();
}

void ReadOperation::startArea(const char* action)
{
    s.post.postAction({});
    s.post.postProgress(0);
    s.post.postAction(action);
}

bool ReadOperation::endArea()
{
    s.post.postProcessText({});
    s.post.clearAddress();
    return s.wait300ms() && s.check();
}

bool ReadOperation::readProgramMemory()
{
    s.post.postAction(texts::kReadProgramMemory);
    return s.readTable(0, s.programSize(), storeIn(s.image.programMemory)) && endArea();
}

bool ReadOperation::readEeprom()
{
    startArea(texts::kReadEeprom);
    return s.readEepromCells(false, storeIn(s.image.eeprom)) && endArea();
}

bool ReadOperation::readIds()
{
    startArea(texts::kReadIds);
    return s.readTable(kIdAddress, kIdCount, storeIn(s.image.ids)) && endArea();
}

bool ReadOperation::readDeviceId()
{
    startArea(texts::kReadDeviceIds);
    if (!s.startTableRead(kDeviceIdAddress) || !s.check())
        return false;
    s.post.postAddress(kDeviceIdAddress);
    if (!s.readFlashByte(false, s.image.deviceId[0]))
        return false;
    s.post.postProgress(kHalfway);
    if (!s.check())
        return false;
    s.post.postAddress(kDeviceIdAddress + 1);
    if (!s.readFlashByte(true, s.image.deviceId[1]))
        return false;
    s.post.postProgress(kComplete);
    return endArea();
}

bool ReadOperation::readConfiguration()
{
    startArea(texts::kReadConfiguration);
    // Stored as read: the masks apply only when programming and comparing.
    return s.readTable(kConfigAddress, kConfigCount, storeIn(s.image.config)) && endArea();
}

void ReadOperation::closing()
{
    if (!s.switchOff()) {
        endAfterSwitchOffFailure(true);
        return;
    }
    s.post.postProcessText({});
    // A cancel that arrives after the last area keeps the complete image; the grid is
    // refreshed so that it shows what the image now holds.
    if (s.cancelRequested()) {
        s.post.refreshGrid();
        s.finish(OperationOutcome::Cancelled);
        return;
    }
    s.post.clearDisplays();
    if (s.cancelRequested()) {
        s.post.refreshGrid();
        s.finish(OperationOutcome::Cancelled);
        return;
    }
    s.post.refreshGrid();
    s.finish(OperationOutcome::Completed);
    s.post.hideWindow();
    s.post.showInformation(texts::kReadPerformed);
    s.post.closeWindow();
}

void ReadOperation::clearImage()
{
    s.data.ClearImage(true);
    s.post.refreshGrid();
}

void ReadOperation::failureExit()
{
    const bool clear = !s.interruption().keepImage;
    if (clear)
        clearImage();
    s.post.showError(s.interruption().message);
    if (!s.switchOff()) {
        endAfterSwitchOffFailure(clear);
        return;
    }
    s.post.postProcessText({});
    s.finish(OperationOutcome::Failed);
    s.post.closeWindow();
}

void ReadOperation::cancelExit()
{
    if (!s.switchOff()) {
        endAfterSwitchOffFailure(true);
        return;
    }
    s.post.postProcessText({});
    clearImage();
    s.finish(OperationOutcome::Cancelled);
}

void ReadOperation::endAfterSwitchOffFailure(bool clear)
{
    if (clear)
        clearImage();
    s.post.showError(s.interruption().message);
    s.finish(OperationOutcome::Failed);
    s.post.closeWindow();
}

} // namespace velmora
