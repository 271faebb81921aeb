#pragma once
// What "Velmora.ini" remembers between runs, with the values a fresh installation
// starts with. The engine's programming options are the second group.

#include <array>
#include <cstdint>
#include <string>

#include "hexfile/ChecksumSettings.h"

namespace velmora {

inline constexpr int kGridColumns = 10;
inline constexpr std::int32_t kDefaultColumnWidth = 40;
inline constexpr std::int32_t kMinimumColumnWidth = 20;

struct WindowBounds {
    std::int32_t left = 47;
    std::int32_t top = 44;
    std::int32_t width = 521;
    std::int32_t height = 421;
};

struct SettingsGroup1 {
    std::int32_t device = 0;
    // Read: the folder to make current. Written: the folder current at exit.
    std::string lastDir = ".";
    std::string com = "COM1";
    ChecksumSettings checksum;
    WindowBounds bounds;
    bool maximized = false;
    std::array<std::int32_t, kGridColumns> columnWidths{
        kDefaultColumnWidth, kDefaultColumnWidth, kDefaultColumnWidth, kDefaultColumnWidth,
        kDefaultColumnWidth, kDefaultColumnWidth, kDefaultColumnWidth, kDefaultColumnWidth,
        kDefaultColumnWidth, kDefaultColumnWidth};
};

} // namespace velmora
