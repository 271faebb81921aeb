#include "devicedata/KnownIdFamilies.h"

#include <algorithm>
#include <iterator>

namespace velmora {

namespace {

struct IdFamily {
    std::uint8_t devid2;
    std::string_view family;
};

constexpr std::string_view kNewFamily = "PIC18F2XXX/4XXX (DS39622)";
constexpr std::string_view kK22Family = "PIC18F2XK22/4XK22 (DS41398)";
constexpr std::string_view kJ2X4XFamily = "PIC18F2XJXX/4XJXX (DS39687)";
constexpr std::string_view kJ6X8XFamily = "PIC18F6XJXX/8XJXX (DS39644)";
constexpr std::string_view kJ60Family = "PIC18F97J60 family (DS39688)";

constexpr IdFamily kFamilies[] = {
    {0x04, "PIC18FXX2 (DS39576)"},
    {0x05, "PIC18F2X20/4X20 (DS39592)"},
    {0x06, "PIC18F6X20/8X20 (DS39583)"},
    {0x07, "PIC18F1X20 (DS39592)"},
    {0x08, "PIC18FXX8 (DS39576) or PIC18FX331/X431 (DS30500)"},
    {0x0A, "PIC18F6585/6680/8585/8680 (DS39606)"},
    {0x0B, "PIC18F6520/8520 (DS39583)"},
    {0x0C, kNewFamily}, {0x0E, kNewFamily}, {0x10, kNewFamily}, {0x11, kNewFamily},
    {0x12, kNewFamily}, {0x1A, kNewFamily}, {0x21, kNewFamily}, {0x24, kNewFamily},
    {0x27, kNewFamily}, {0x2A, kNewFamily},
    {0x20, "PIC18F2XK20/4XK20 (DS41297)"},
    {0x4F, "PIC18F1XK22 (DS41357)"},
    {0x54, kK22Family}, {0x55, kK22Family}, {0x56, kK22Family}, {0x57, kK22Family},
    {0x1C, kJ2X4XFamily}, {0x1D, kJ2X4XFamily}, {0x4C, kJ2X4XFamily}, {0x4D, kJ2X4XFamily},
    {0x4E, kJ2X4XFamily}, {0x58, kJ2X4XFamily}, {0x59, kJ2X4XFamily}, {0x5A, kJ2X4XFamily},
    {0x5B, kJ2X4XFamily},
    // 50h is left out: the guide lists none of its parts, and two families share it.
    {0x15, kJ6X8XFamily}, {0x17, kJ6X8XFamily}, {0x38, kJ6X8XFamily}, {0x39, kJ6X8XFamily},
    {0x41, kJ6X8XFamily}, {0x42, kJ6X8XFamily}, {0x44, kJ6X8XFamily}, {0x45, kJ6X8XFamily},
    {0x18, kJ60Family}, {0x1F, kJ60Family},
};

} // namespace

std::string_view KnownIdFamily(std::uint8_t devid2)
{
    const auto found = std::ranges::find(kFamilies, devid2, &IdFamily::devid2);
    return found == std::end(kFamilies) ? std::string_view {} : found->family;
}

} // namespace velmora
