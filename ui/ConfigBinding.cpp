#include "ui/ConfigBinding.h"

namespace velmora {

bool boxChecked(const BitBinding& binding, const ConfigBytes& config)
{
    const bool bitSet = (config[binding.byteIndex] & binding.mask) != 0;
    return bitSet != binding.invert;
}

void writeBox(const BitBinding& binding, bool checked, ConfigBytes& config)
{
    std::uint8_t& byte = config[binding.byteIndex];
    if (checked != binding.invert)
        byte = static_cast<std::uint8_t>(byte | binding.mask);
    else
        byte = static_cast<std::uint8_t>(byte & ~binding.mask);
}

int fieldItem(const FieldBinding& binding, const ConfigBytes& config)
{
    const auto value = static_cast<std::uint8_t>(config[binding.byteIndex] & binding.mask);
    for (std::size_t item = 0; item < binding.values.size(); ++item) {
        if (binding.values[item] == value)
            return static_cast<int>(item);
    }
    return -1;
}

void writeField(const FieldBinding& binding, int item, ConfigBytes& config)
{
    if (item < 0 || item >= static_cast<int>(binding.values.size()))
        return;
    std::uint8_t& byte = config[binding.byteIndex];
    byte = static_cast<std::uint8_t>((byte & ~binding.mask) | (binding.values[static_cast<std::size_t>(item)] & binding.mask));
}

} // namespace velmora
