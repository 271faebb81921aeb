#include "devicedata/DeviceDataMessages.h"

#include "devicedata/MemoryImage.h"

namespace velmora {

std::string DeviceListLoadFailedMessage()
{
    return "Error load devices information from Devices.ini file.\r\n"
           "Menu \"Device\" will not be available.\r\n"
           "Note:\r\n"
           "\"ProgMemSize\" and \"EEPROMDataMemSize\" fields\r\n"
           "at Devices.ini file must be less or equal than accordingly\r\n"
           + std::to_string(kProgramMemoryCapacity) + " and " + std::to_string(kEepromCapacity)
           + " and \"ProgMemSize\" must be nonzero.";
}

std::string DeviceSizesProblem(std::size_t line, const DeviceRecord& record)
{
    return "line " + std::to_string(line) + ": device \"" + record.name + "\" has ProgMemSize "
           + std::to_string(record.programMemorySize) + " and EEPROMDataMemSize " + std::to_string(record.eepromSize);
}

std::string InvalidMaskMessage(const std::string& deviceName)
{
    return "Invalid or missed config mask value in Devices.ini file\r\nfor " + deviceName
           + " device. Mask must contain 14 hex byte\r\n"
           + "values (00..FF) separated with spaces.";
}

std::string InvalidSetMaskMessage(const std::string& deviceName)
{
    return "Invalid or missed config set mask value in Devices.ini file\r\nfor " + deviceName
           + " device. Set mask must contain 14 hex byte\r\n"
           + "values (00..FF) separated with spaces.";
}

} // namespace velmora
