#pragma once
// How the configuration editors' controls are bound to configuration bytes.
// A check box shows one bit; with the invert flag it shows checked when the bit is 0
// (the active-low PIC18F bits), so a checked box always means "enabled" or "protected".
// A radio group shows a bit field as the first item whose value matches.

#include <cstdint>
#include <vector>

#include "devicedata/MemoryImage.h"

namespace velmora {

struct BitBinding {
    int byteIndex = 0;
    std::uint8_t mask = 0;
    bool invert = false;
};

struct FieldBinding {
    int byteIndex = 0;
    std::uint8_t mask = 0;
    std::vector<std::uint8_t> values;   // one per item, in item order
};

using ConfigBytes = std::uint8_t[kConfigCount];

bool boxChecked(const BitBinding& binding, const ConfigBytes& config);
void writeBox(const BitBinding& binding, bool checked, ConfigBytes& config);

// -1 when no item's value matches.
int fieldItem(const FieldBinding& binding, const ConfigBytes& config);
// Replaces the field's bits by the item's value; -1 leaves the byte unchanged.
void writeField(const FieldBinding& binding, int item, ConfigBytes& config);

} // namespace velmora
