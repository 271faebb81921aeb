#pragma once
// The texts that tell the user where the device and the image differ.

#include <cstdint>
#include <string>

#include "devicedata/MemoryImage.h"

namespace velmora {

enum class MemoryArea { ProgramMemory, Eeprom, Ids, Configuration };

// Address as 6 upper-case hex digits (more when it needs them), a byte as 2.
std::string hexAddress(Address address);
std::string hexByte(std::uint8_t value);

// The error box that ends programming at the first difference found by its
// read-back: program memory and EEPROM end with ".", IDs and configuration with ".\r\n".
std::string programmingMismatch(MemoryArea area, Address address, std::uint8_t device, std::uint8_t image);

// The verify operation's question at a difference.
std::string verifyQuestion(MemoryArea area, Address address, std::uint8_t device, std::uint8_t image);

// The verify operation's final report.
std::string verifyReport(bool differenceFound);

} // namespace velmora
