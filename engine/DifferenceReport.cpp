#include "engine/DifferenceReport.h"

#include <cstdio>

#include "engine/EngineTexts.h"

namespace velmora {

namespace {

const char* head(MemoryArea area)
{
    switch (area) {
    case MemoryArea::ProgramMemory: return texts::kDifferenceProgramMemory;
    case MemoryArea::Eeprom: return texts::kDifferenceEeprom;
    case MemoryArea::Ids: return texts::kDifferenceIds;
    case MemoryArea::Configuration: return texts::kDifferenceConfiguration;
    }
    return "";
}

const char* question(MemoryArea area)
{
    switch (area) {
    case MemoryArea::ProgramMemory: return texts::kContinueProgramMemory;
    case MemoryArea::Eeprom: return texts::kContinueEeprom;
    case MemoryArea::Ids: return texts::kContinueIds;
    case MemoryArea::Configuration: return texts::kContinueConfiguration;
    }
    return "";
}

// Everything up to and including the image value.
std::string differenceBody(MemoryArea area, Address address, std::uint8_t device, std::uint8_t image)
{
    std::string text = head(area);
    text += hexAddress(address);
    text += texts::kAddressSuffix;
    text += texts::kLineBreak;
    text += texts::kValueFromDevice;
    text += hexByte(device);
    text += texts::kValueSeparator;
    text += texts::kValueFromComputer;
    text += hexByte(image);
    return text;
}

} // namespace

std::string hexAddress(Address address)
{
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%06X", static_cast<unsigned>(address));
    return buffer;
}

std::string hexByte(std::uint8_t value)
{
    char buffer[4];
    std::snprintf(buffer, sizeof buffer, "%02X", static_cast<unsigned>(value));
    return buffer;
}

std::string programmingMismatch(MemoryArea area, Address address, std::uint8_t device, std::uint8_t image)
{
    std::string text = differenceBody(area, address, device, image) + texts::kFullStop;
    if (area == MemoryArea::Ids || area == MemoryArea::Configuration)
        text += texts::kLineBreak;
    return text;
}

std::string verifyQuestion(MemoryArea area, Address address, std::uint8_t device, std::uint8_t image)
{
    return differenceBody(area, address, device, image) + texts::kFullStop + texts::kLineBreak + question(area);
}

std::string verifyReport(bool differenceFound)
{
    std::string text = texts::kVerificationPerformed;
    text += differenceFound ? texts::kContentDiffers : texts::kContentDoesNotDiffer;
    text += texts::kFromComputerProgram;
    return text;
}

} // namespace velmora
