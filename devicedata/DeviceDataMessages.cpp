#include "devicedata/DeviceDataMessages.h"

#include <cstdio>

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

std::string DeviceIdText(std::uint16_t id)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(id));
    return text;
}

std::string DeviceIdNotANumberProblem(std::string_view key, const std::string& value)
{
    std::string text = std::string(key) + "=" + value + " is not a 16-bit number";
    if (value.find(';') != std::string::npos)
        text += " (a comment behind a value is part of the value)";
    return text;
}

std::string DeviceIdMaskTooNarrowProblem(const std::string& value, std::uint16_t deviceBits)
{
    return "DeviceIDMask=" + value + " does not cover the device bits " + DeviceIdText(deviceBits)
        + ", so it cannot tell devices apart";
}

std::string DeviceIdSilentProblem(const std::string& value)
{
    return "DeviceID=" + value + " has its device bits all 0 or all 1, as a silent data line reads: no chip answers so";
}

std::string DeviceIdKeyMisspeltProblem(const std::string& written, std::string_view key)
{
    return "key \"" + written + "\" is not " + std::string(key) + ", which is written in one word";
}

std::string FamilyUnknownProblem(const std::string& value, const std::vector<std::string_view>& known)
{
    std::string names;
    for (std::size_t i = 0; i < known.size(); ++i)
        names += (i == 0 ? "" : i + 1 == known.size() ? " or " : ", ") + std::string(known[i]);
    return "Family=" + value + " names no programming family (the known ones are " + names
        + "), so neither its erase keys nor its programming voltage are known";
}

std::string FamilyNeedsProblem(std::string_view family, std::string_view key, std::int32_t value)
{
    return "Family=" + std::string(family) + " needs " + std::string(key) + "=" + std::to_string(value);
}

std::string FamilySizesProblem(const DeviceRecord& record, std::span<const FamilyPartSizes> parts)
{
    const std::string family(factsFor(record.family).name);
    std::string sizes;
    for (const FamilyPartSizes& part : parts)
        sizes += (sizes.empty() ? "" : ", ") + std::to_string(part.programMemorySize) + "/"
            + std::to_string(part.eepromSize) + "/" + std::to_string(part.writeBufferSize);
    return "no " + family + " part has ProgMemSize=" + std::to_string(record.programMemorySize)
        + ", EEPROMDataMemSize=" + std::to_string(record.eepromSize) + " and WriteBufferSize="
        + std::to_string(record.writeBufferSize) + "; its parts have " + sizes;
}

std::string FamilyLongEEAddrProblem(std::string_view family, std::int32_t eepromSize, bool longAddresses)
{
    return "Family=" + std::string(family) + " with EEPROMDataMemSize=" + std::to_string(eepromSize)
        + " needs LongEEAddr=" + (longAddresses ? "1" : "0");
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
