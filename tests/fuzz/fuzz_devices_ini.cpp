// Arbitrary bytes as Devices.ini: the loader must accept or reject them without
// crashing, and what it accepts must hold only sizes the image can take.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "devicedata/ConfigMasks.h"
#include "devicedata/IniFile.h"
#include "devicedata/LoadDeviceList.h"
#include "devicedata/ParseMaskBytes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace velmora;
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    DeviceList list;
    if (!BuildDeviceList(list, text)) {
        if (list.Count() != 0)
            __builtin_trap();
        return 0;
    }

    IniFile ini;
    ini.loadText(text);
    list.MoveTo(0);
    for (std::int32_t i = 0; i < list.Count(); ++i) {
        const DeviceRecord record = list.CopyCurrentAndAdvance();
        const auto programSize = static_cast<std::uint32_t>(record.programMemorySize);
        const auto eepromSize = static_cast<std::uint32_t>(record.eepromSize);
        if (programSize == 0 || programSize > kProgramMemoryCapacity || eepromSize > kEepromCapacity)
            __builtin_trap();
        if (ini.getString(record.name, "ProgMemSize", "").size() >= IniFile::kProfileBufferSize)
            __builtin_trap();
        ConfigBlock mask{};
        ParseMaskBytes(ini.getString(record.name, "Mask", ""), mask);
        ParseMaskBytes(ini.getString(record.name, "SetMask", ""), mask);
    }
    if (list.Count() > 0 && list.CursorIndex() != list.Count() - 1)
        __builtin_trap();
    return 0;
}
