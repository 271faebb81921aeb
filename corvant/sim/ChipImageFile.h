#pragma once
// A simulated chip's memory kept in an Intel HEX file between runs, in the program's
// own address map: program memory from 0, IDs at 200000h, configuration at 300000h,
// data EEPROM at F00000h.

#include <filesystem>
#include <string>
#include <string_view>

#include "sim/ChipMemory.h"

namespace velmora::sim {

enum class ImageLoad {
    Loaded,    // the file's bytes replaced those of an erased chip
    Missing,   // no file: the chip stays erased
    Invalid,   // unreadable or not Intel HEX: error says why, the chip stays erased
};

// Bytes at addresses the chip lacks are ignored. An empty file is an erased chip (Missing):
// a port creates its image file when it opens.
ImageLoad loadChipImage(const std::filesystem::path& path, ChipMemory& memory, std::string& error);
// The same from the file's text, read already; name is the file's for the messages.
ImageLoad loadChipImageText(std::string_view text, const std::string& name, ChipMemory& memory,
                            std::string& error);

// Writes through a temporary file of this process and a rename, so an interrupted save
// never leaves a half-written image behind. Lines that are all FFh are left out (a load starts from
// an erased chip); the configuration bytes are always written.
bool saveChipImage(const std::filesystem::path& path, const ChipMemory& memory, std::string& error);

} // namespace velmora::sim
