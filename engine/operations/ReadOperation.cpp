#include "engine/operations/ReadOperation.h"

#include "engine/EngineTexts.h"
#include "engine/operations/EepromCells.h"
#include "engine/operations/ProgrammingEntry.h"

namespace velmora {

namespace {

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
    s.data.ClearImage(true);
    if (!s.frame.opened())
        return;
    Endings endings(s.frame, *this);
    if (!readAll()) {
        endings.interrupted();
        return;
    }
    endings.normal(texts::kReadPerformed, OperationOutcome::Completed);
}

bool ReadOperation::readAll()
{
    if (!enterProgramming(s))
        return false;
    if (s.options.programMemory && !readProgramMemory())
        return false;
    if (s.options.eeprom && s.eepromSize() != 0 && !readEeprom())
        return false;
    if (s.options.ids && hasIdLocations(s.device()) && !readIds())
        return false;
    if (!readDeviceId())
        return false;
    return !s.options.configuration || readConfiguration();
}

bool ReadOperation::readProgramMemory()
{
    s.post().postAction(texts::kReadProgramMemory);
    return s.table().read(0, s.programSize(), storeIn(s.image().programMemory)) && s.frame.endArea();
}

bool ReadOperation::readEeprom()
{
    s.frame.startArea(texts::kReadEeprom);
    return readEepromCells(s, false, storeIn(s.image().eeprom)) && s.frame.endArea();
}

bool ReadOperation::readIds()
{
    s.frame.startArea(texts::kReadIds);
    return s.table().read(kIdAddress, kIdCount, storeIn(s.image().ids)) && s.frame.endArea();
}

bool ReadOperation::readDeviceId()
{
    s.frame.startArea(texts::kReadDeviceIds);
    return s.table().readCounting(kDeviceIdAddress, kDeviceIdCount, storeIn(s.image().deviceId)) && s.frame.endArea();
}

bool ReadOperation::readConfiguration()
{
    s.frame.startArea(texts::kReadConfiguration);
    // Stored as read: the masks apply only when programming and comparing.
    return s.table().read(s.configAddress(), s.configCount(), storeIn(s.image().config)) && s.frame.endArea();
}

void ReadOperation::discardImage()
{
    s.data.ClearImage(true);
    s.post().refreshGrid();
}

void ReadOperation::afterSwitchOff()
{
    s.post().postProcessText({});
}

// A cancel that arrives after the last area keeps the complete image; the grid is
// refreshed so that it shows what the image now holds.
void ReadOperation::beforeOutcome()
{
    s.post().refreshGrid();
}

} // namespace velmora
