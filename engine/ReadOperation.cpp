#include "engine/ReadOperation.h"

#include "engine/EngineTexts.h"
#include "engine/ProgrammingOptions.h"

namespace velmora {

namespace {
constexpr int kLastId = kIdCount - 1;
constexpr int kLastConfig = kConfigCount - 1;
constexpr std::uint16_t kHalfway = 50;
constexpr std::uint16_t kComplete = 100;
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
    if (!s.raiseVpp())
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
    if (!s.startTableRead(0))
        return false;
    const std::uint32_t size = s.programSize();
    const std::uint32_t last = size - 1;
    for (std::uint32_t j = 0; j < size; ++j) {
        if (!s.check())
            return false;
        s.post.postAddress(j);
        if (!s.readFlashByte(j == last, s.image.programMemory[j]))
            return false;
        s.post.postProgress(percent(j, last));
    }
    return endArea();
}

bool ReadOperation::readEeprom()
{
    startArea(texts::kReadEeprom);
    s.post.postProcessText(texts::kWriteInstruction);
    if (!s.selectEeprom() || !s.check())
        return false;
    const std::uint32_t size = s.eepromSize();
    for (std::uint32_t e = 0; e < size; ++e) {
        if (!s.check() || !s.readEepromCell(e, s.image.eeprom[e]))
            return false;
        s.post.postProgress(percent(e, size - 1));
    }
    return endArea();
}

bool ReadOperation::readIds()
{
    startArea(texts::kReadIds);
    if (!s.startTableRead(kIdAddress))
        return false;
    for (int j = 0; j <= kLastId; ++j) {
        if (!s.check())
            return false;
        s.post.postAddress(kIdAddress + j);
        if (!s.readFlashByte(j == kLastId, s.image.ids[j]))
            return false;
        s.post.postProgress(percent(j, kLastId));
    }
    return endArea();
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
    if (!s.startTableRead(kConfigAddress))
        return false;
    for (int k = 0; k <= kLastConfig; ++k) {
        if (!s.check())
            return false;
        s.post.postAddress(kConfigAddress + k);
        // Stored as read: the masks apply only when programming and comparing.
        if (!s.readFlashByte(k == kLastConfig, s.image.config[k]))
            return false;
        s.post.postProgress(percent(k, kLastConfig));
    }
    return endArea();
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
