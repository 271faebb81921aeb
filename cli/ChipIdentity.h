#pragma once
// What a device ID read from the chip says, given the device database: which
// sections name it, whether it at least belongs to a known family, or whether no
// chip answered at all. Also the texts velmora-cli prints about it.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "devicedata/DeviceList.h"

namespace velmora::cli {

struct ChipIdentity {
    enum class Kind { Named, UnnamedInFamily, Silent };
    Kind kind = Kind::Silent;
    std::uint16_t rawId = 0;
    std::vector<std::string> names;   // sections whose DeviceID the raw ID matches, in file order
    std::uint16_t revision = 0;       // under the first match's mask, else DEVID1<4:0>
    std::string_view family;          // for UnnamedInFamily
};

ChipIdentity identifyChip(DeviceList& devices, std::uint16_t rawId);

// "device ID 0x1203: PIC18F4550, revision 3" and its variants for the other kinds.
std::string describeChip(const ChipIdentity& chip);

// The checklist for a chip that does not answer, worded for the port's programmer.
std::string silentChipChecklist(std::uint16_t rawId, std::string_view port);

// Empty when the chip may be written as the selected device; otherwise why not.
std::string refusalToWrite(const ChipIdentity& chip, const std::string& selectedName);

} // namespace velmora::cli
