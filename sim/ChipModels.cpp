// The table of simulated chips. Sizes, buffer sizes and device IDs come from the
// programming guides (DS39622L for the 2XXX/4XXX parts, DS39583C for the
// 6X20/8X20 parts, the same-generation documents DS39576, DS39592, DS30500 and DS39606
// for the older ones, DS41398B, DS41357B and DS41297D for the K22, 1XK22 and K20
// parts, DS39687E, DS39644G and DS39688C for the J parts); implemented configuration bits from Microchip's device database as
// published with gputils. Boot block sizes come from the device data sheets' memory
// maps; sim/README.md marks the ones resting on recollection.

#include "sim/ChipModel.h"

#include <algorithm>
#include <bit>
#include <cctype>

namespace velmora::sim {

namespace {

constexpr std::uint32_t KB = 1024;

constexpr ChipFamily Panel = ChipFamily::PanelWrite;
constexpr ChipFamily Buffer = ChipFamily::BufferWrite;
constexpr ChipFamily K22 = ChipFamily::K22;
constexpr ChipFamily K1x = ChipFamily::OneXK22;
constexpr ChipFamily K20 = ChipFamily::K20;
constexpr ChipFamily J10 = ChipFamily::J10;
constexpr ChipFamily J2x4x = ChipFamily::J2X4X;
constexpr ChipFamily J6x8x = ChipFamily::J6X8X;
constexpr ChipFamily J60 = ChipFamily::J60;

constexpr std::string_view kDs39576 = "DS39576 (inferred from DS39583C)";
constexpr std::string_view kDs39592 = "DS39592 (inferred from DS39583C)";
constexpr std::string_view kDs30500 = "DS30500 (inferred from DS39583C)";
constexpr std::string_view kDs39622 = "DS39622L (verified)";
constexpr std::string_view kDs39622Rest = "DS39622L and gputils (not yet confirmed on a chip)";
constexpr std::string_view kDs39583 = "DS39583C (verified)";
constexpr std::string_view kDs39606 = "DS39606 (inferred from DS39583C)";
constexpr std::string_view kDs41398 = "DS41398B (verified)";
constexpr std::string_view kDs41357 = "DS41357B (verified)";
constexpr std::string_view kDs41297 = "DS41297D (verified; Advance Information, some values TBD)";
constexpr std::string_view kDs39687 = "DS39687E (verified)";
constexpr std::string_view kDs39644 = "DS39644G (verified)";
constexpr std::string_view kDs39688 = "DS39688C (verified)";

// Configuration masks, CONFIG1L..CONFIG7H.
constexpr ConfigBytes kMaskXx2Small {0x00, 0x27, 0x0F, 0x0F, 0x00, 0x01, 0x85, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40};
constexpr ConfigBytes kMaskXx2Large {0x00, 0x27, 0x0F, 0x0F, 0x00, 0x01, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
constexpr ConfigBytes kMaskXx8Small {0x00, 0x27, 0x0F, 0x0F, 0x00, 0x00, 0x85, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40};
constexpr ConfigBytes kMaskXx8Large {0x00, 0x27, 0x0F, 0x0F, 0x00, 0x00, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
constexpr ConfigBytes kMask1x20 {0x00, 0xCF, 0x0F, 0x1F, 0x00, 0x80, 0x85, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40};
constexpr ConfigBytes kMask2x20Small {0x00, 0xCF, 0x0F, 0x1F, 0x00, 0x83, 0x85, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40};
constexpr ConfigBytes kMask2x20Large {0x00, 0xCF, 0x0F, 0x1F, 0x00, 0x83, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
constexpr ConfigBytes kMask2331 {0x00, 0xCF, 0x0F, 0x3F, 0x3C, 0x80, 0x85, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40};
constexpr ConfigBytes kMask2431 {0x00, 0xCF, 0x0F, 0x3F, 0x3C, 0x80, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
constexpr ConfigBytes kMask4331 {0x00, 0xCF, 0x0F, 0x3F, 0x3C, 0x9D, 0x85, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40};
constexpr ConfigBytes kMask4431 {0x00, 0xCF, 0x0F, 0x3F, 0x3C, 0x9D, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
constexpr ConfigBytes kMaskUsb24k {0x3F, 0xCF, 0x3F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x07, 0xC0, 0x07, 0xE0, 0x07, 0x40};
constexpr ConfigBytes kMaskUsb32k {0x3F, 0xCF, 0x3F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
// The 40/44-pin die stores ICPRT (CONFIG4L bit 5), though only the 44-pin package uses it.
constexpr ConfigBytes kMaskUsb24k44 {0x3F, 0xCF, 0x3F, 0x1F, 0x00, 0x87, 0xE5, 0x00, 0x07, 0xC0, 0x07, 0xE0, 0x07, 0x40};
constexpr ConfigBytes kMaskUsb32k44 {0x3F, 0xCF, 0x3F, 0x1F, 0x00, 0x87, 0xE5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
constexpr ConfigBytes kMaskX410 {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x03, 0x40, 0x03, 0x60, 0x03, 0x40};
constexpr ConfigBytes kMaskX420 {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40};
constexpr ConfigBytes kMaskX510 {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x0F, 0x40, 0x0F, 0x60, 0x0F, 0x40};
constexpr ConfigBytes kMaskX520 {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
constexpr ConfigBytes kMaskX480 {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x86, 0xD5, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40};
constexpr ConfigBytes kMaskX580 {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x86, 0xD5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
constexpr ConfigBytes kMaskX525 {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x07, 0xC0, 0x07, 0xE0, 0x07, 0x40};
constexpr ConfigBytes kMaskX620 {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
constexpr ConfigBytes kMask6x20 {0x00, 0x27, 0x0F, 0x0F, 0x00, 0x01, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
constexpr ConfigBytes kMask6720 {0x00, 0x27, 0x0F, 0x0F, 0x00, 0x01, 0x85, 0x00, 0xFF, 0xC0, 0xFF, 0xE0, 0xFF, 0x40};
constexpr ConfigBytes kMask8x20 {0x00, 0x27, 0x0F, 0x0F, 0x83, 0x01, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
constexpr ConfigBytes kMask8720 {0x00, 0x27, 0x0F, 0x0F, 0x83, 0x01, 0x85, 0x00, 0xFF, 0xC0, 0xFF, 0xE0, 0xFF, 0x40};
constexpr ConfigBytes kMask6585 {0x00, 0x2F, 0x0F, 0x1F, 0x00, 0x81, 0x85, 0x00, 0x07, 0xC0, 0x07, 0xE0, 0x07, 0x40};
constexpr ConfigBytes kMask8585 {0x00, 0x2F, 0x0F, 0x1F, 0x83, 0x83, 0x85, 0x00, 0x07, 0xC0, 0x07, 0xE0, 0x07, 0x40};
constexpr ConfigBytes kMask6680 {0x00, 0x2F, 0x0F, 0x1F, 0x00, 0x81, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
// The K families have no CONFIG1L, CONFIG3L or CONFIG4H (DS41398B Table 5-1).
constexpr ConfigBytes kMaskK22Small {0x00, 0xFF, 0x1F, 0x3F, 0x00, 0xBF, 0xC5, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40};
constexpr ConfigBytes kMaskK22Large {0x00, 0xFF, 0x1F, 0x3F, 0x00, 0xBF, 0xC5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
constexpr ConfigBytes kMask1xK22 {0x00, 0xFF, 0x1F, 0x1F, 0x00, 0x88, 0xCD, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40};
constexpr ConfigBytes kMaskK20Small {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x8F, 0xC5, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40};
constexpr ConfigBytes kMaskK20Large {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x8F, 0xC5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};
// The J parts: CONFIG1L..CONFIG4H, the registers loaded from the last 8 bytes of flash;
// the forced upper nibbles and CONFIG1H bit 3 are no implemented bits.
// 2XJ10/4XJ10, and the 64-pin J10/J11/J15/J90 and 8XJ90 parts.
constexpr ConfigBytes kMaskJ10 {0xE1, 0x04, 0xC7, 0x0F, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskJ11Small {0xE1, 0x04, 0xDF, 0x0F, 0xFF, 0x09, 0xCF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskJ11Mid {0xE1, 0x04, 0xDF, 0x0F, 0xFF, 0x09, 0xDF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskJ11Large {0xE1, 0x04, 0xDF, 0x0F, 0xFF, 0x09, 0xFF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskJ13Small {0x7F, 0x04, 0xFF, 0x0F, 0xFF, 0x0F, 0xBF, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskJ13Large {0x7F, 0x04, 0xFF, 0x0F, 0xFF, 0x0F, 0xFF, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskFJ50Small {0xEF, 0x07, 0xDF, 0x0F, 0xFF, 0x09, 0xCF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskLFJ50Small {0x6F, 0x07, 0xDF, 0x0F, 0xFF, 0x09, 0xCF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskFJ50Mid {0xEF, 0x07, 0xDF, 0x0F, 0xFF, 0x09, 0xDF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskLFJ50Mid {0x6F, 0x07, 0xDF, 0x0F, 0xFF, 0x09, 0xDF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskFJ50Large {0xEF, 0x07, 0xDF, 0x0F, 0xFF, 0x09, 0xFF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskLFJ50Large {0x6F, 0x07, 0xDF, 0x0F, 0xFF, 0x09, 0xFF, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskJ53Small {0x7F, 0x07, 0xFF, 0x0F, 0xFF, 0x0B, 0xBF, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMaskJ53Large {0x7F, 0x07, 0xFF, 0x0F, 0xFF, 0x0B, 0xFF, 0x0B, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMask6xJ50 {0xEF, 0x07, 0xC7, 0x0F, 0x00, 0x09, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMask6xJ11Large {0xE1, 0x04, 0xC7, 0x0F, 0x00, 0x09, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMask8xJ11Small {0xE1, 0x04, 0xC7, 0x0F, 0xF8, 0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMask8xJ10 {0xE1, 0x04, 0xC7, 0x0F, 0xF8, 0x03, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMask8xJ50 {0xEF, 0x07, 0xC7, 0x0F, 0xF8, 0x0F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMask8xJ11Large {0xE1, 0x04, 0xC7, 0x0F, 0xF8, 0x0F, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMask6xJ60 {0xE1, 0x04, 0xC7, 0x0F, 0x00, 0x04, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMask8xJ60 {0xE1, 0x04, 0xC7, 0x0F, 0x00, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMask9xJ60 {0xE1, 0x04, 0xC7, 0x0F, 0xF8, 0x07, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr ConfigBytes kMask8680 {0x00, 0x2F, 0x0F, 0x1F, 0x83, 0x83, 0x85, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40};

constexpr ChipModel kChipModels[] = {
    // name          family  program  EEPROM  buffer  DEVID   boot   mask            source
    {"PIC18F242",   Panel,  16 * KB,  256,     8, 0x0480, 512,    kMaskXx2Small,  kDs39576},
    {"PIC18F252",   Panel,  32 * KB,  256,     8, 0x0400, 512,    kMaskXx2Large,  kDs39576},
    {"PIC18F442",   Panel,  16 * KB,  256,     8, 0x04A0, 512,    kMaskXx2Small,  kDs39576},
    {"PIC18F452",   Panel,  32 * KB,  256,     8, 0x0420, 512,    kMaskXx2Large,  kDs39576},
    {"PIC18F248",   Panel,  16 * KB,  256,     8, 0x0800, 512,    kMaskXx8Small,  kDs39576},
    {"PIC18F258",   Panel,  32 * KB,  256,     8, 0x0840, 512,    kMaskXx8Large,  kDs39576},
    {"PIC18F448",   Panel,  16 * KB,  256,     8, 0x0820, 512,    kMaskXx8Small,  kDs39576},
    {"PIC18F458",   Panel,  32 * KB,  256,     8, 0x0860, 512,    kMaskXx8Large,  kDs39576},
    {"PIC18F1220",  Panel,   4 * KB,  256,     8, 0x07E0, 512,    kMask1x20,      kDs39592},
    {"PIC18F1320",  Panel,   8 * KB,  256,     8, 0x07C0, 512,    kMask1x20,      kDs39592},
    {"PIC18F2220",  Panel,   4 * KB,  256,     8, 0x0580, 512,    kMask2x20Small, kDs39592},
    {"PIC18F2320",  Panel,   8 * KB,  256,     8, 0x0500, 512,    kMask2x20Large, kDs39592},
    {"PIC18F4220",  Panel,   4 * KB,  256,     8, 0x05A0, 512,    kMask2x20Small, kDs39592},
    {"PIC18F4320",  Panel,   8 * KB,  256,     8, 0x0520, 512,    kMask2x20Large, kDs39592},
    {"PIC18F2331",  Panel,   8 * KB,  256,     8, 0x08E0, 512,    kMask2331,      kDs30500},
    {"PIC18F2431",  Panel,  16 * KB,  256,     8, 0x08C0, 512,    kMask2431,      kDs30500},
    {"PIC18F4331",  Panel,   8 * KB,  256,     8, 0x08A0, 512,    kMask4331,      kDs30500},
    {"PIC18F4431",  Panel,  16 * KB,  256,     8, 0x0880, 512,    kMask4431,      kDs30500},
    {"PIC18F2455",  Buffer, 24 * KB,  256,    32, 0x1260, 2 * KB, kMaskUsb24k,    kDs39622},
    {"PIC18F2550",  Buffer, 32 * KB,  256,    32, 0x1240, 2 * KB, kMaskUsb32k,    kDs39622},
    {"PIC18F4455",  Buffer, 24 * KB,  256,    32, 0x1220, 2 * KB, kMaskUsb24k44,  kDs39622},
    {"PIC18F4550",  Buffer, 32 * KB,  256,    32, 0x1200, 2 * KB, kMaskUsb32k44,  kDs39622},
    {"PIC18F2410",  Buffer, 16 * KB,    0,    32, 0x1160, 2 * KB, kMaskX410,      kDs39622},
    {"PIC18F2420",  Buffer, 16 * KB,  256,    32, 0x1140, 2 * KB, kMaskX420,      kDs39622},
    {"PIC18F2510",  Buffer, 32 * KB,    0,    32, 0x1120, 2 * KB, kMaskX510,      kDs39622},
    {"PIC18F2520",  Buffer, 32 * KB,  256,    32, 0x1100, 2 * KB, kMaskX520,      kDs39622},
    {"PIC18F4410",  Buffer, 16 * KB,    0,    32, 0x10E0, 2 * KB, kMaskX410,      kDs39622},
    {"PIC18F4420",  Buffer, 16 * KB,  256,    32, 0x10C0, 2 * KB, kMaskX420,      kDs39622},
    {"PIC18F4510",  Buffer, 32 * KB,    0,    32, 0x10A0, 2 * KB, kMaskX510,      kDs39622},
    {"PIC18F4520",  Buffer, 32 * KB,  256,    32, 0x1080, 2 * KB, kMaskX520,      kDs39622},
    {"PIC18F2480",  Buffer, 16 * KB,  256,    32, 0x1AE0, 2 * KB, kMaskX480,      kDs39622},
    {"PIC18F2580",  Buffer, 32 * KB,  256,    32, 0x1AC0, 2 * KB, kMaskX580,      kDs39622},
    {"PIC18F4480",  Buffer, 16 * KB,  256,    32, 0x1AA0, 2 * KB, kMaskX480,      kDs39622},
    {"PIC18F4580",  Buffer, 32 * KB,  256,    32, 0x1A80, 2 * KB, kMaskX580,      kDs39622},
    {"PIC18F2525",  Buffer, 48 * KB, 1024,    64, 0x0CC0, 2 * KB, kMaskX525,      kDs39622},
    {"PIC18F2620",  Buffer, 64 * KB, 1024,    64, 0x0C80, 2 * KB, kMaskX620,      kDs39622},
    {"PIC18F4525",  Buffer, 48 * KB, 1024,    64, 0x0C40, 2 * KB, kMaskX525,      kDs39622},
    {"PIC18F4620",  Buffer, 64 * KB, 1024,    64, 0x0C00, 2 * KB, kMaskX620,      kDs39622},
    {"PIC18F6520",  Panel,  32 * KB, 1024,     8, 0x0B20, 2 * KB, kMask6x20,      kDs39583},
    {"PIC18F6620",  Panel,  64 * KB, 1024,     8, 0x0660, 512,    kMask6x20,      kDs39583},
    {"PIC18F6720",  Panel, 128 * KB, 1024,     8, 0x0620, 512,    kMask6720,      kDs39583},
    {"PIC18F8520",  Panel,  32 * KB, 1024,     8, 0x0B00, 2 * KB, kMask8x20,      kDs39583},
    {"PIC18F8620",  Panel,  64 * KB, 1024,     8, 0x0640, 512,    kMask8x20,      kDs39583},
    {"PIC18F8720",  Panel, 128 * KB, 1024,     8, 0x0600, 512,    kMask8720,      kDs39583},
    {"PIC18F6585",  Panel,  48 * KB, 1024,     8, 0x0A60, 2 * KB, kMask6585,      kDs39606},
    {"PIC18F8585",  Panel,  48 * KB, 1024,     8, 0x0A40, 2 * KB, kMask8585,      kDs39606},
    {"PIC18F6680",  Panel,  64 * KB, 1024,     8, 0x0A20, 2 * KB, kMask6680,      kDs39606},
    {"PIC18F8680",  Panel,  64 * KB, 1024,     8, 0x0A00, 2 * KB, kMask8680,      kDs39606},
    // The rest of DS39622; the boot block is the smallest size CONFIG4L can select.
    {"PIC18F2221", Buffer,   4096,  256,     8, 0x2160, 512, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xF5, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40}, kDs39622Rest},
    {"PIC18F2321", Buffer,   8192,  256,     8, 0x2120, 512, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xF5, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40}, kDs39622Rest},
    {"PIC18F2423", Buffer,  16384,  256,    32, 0x1150, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40}, kDs39622Rest},
    {"PIC18F2450", Buffer,  16384,    0,    16, 0x2420, 2 * KB, {0x3F, 0xCF, 0x3F, 0x1F, 0x00, 0x86, 0xCD, 0x00, 0x03, 0x40, 0x03, 0x60, 0x03, 0x40}, kDs39622Rest},
    {"PIC18F2458", Buffer,  24576,  256,    32, 0x2A60, 2 * KB, {0x3F, 0xCF, 0x3F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x07, 0xC0, 0x07, 0xE0, 0x07, 0x40}, kDs39622Rest},
    {"PIC18F2515", Buffer,  49152,    0,    64, 0x0CE0, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x07, 0x40, 0x07, 0x60, 0x07, 0x40}, kDs39622Rest},
    {"PIC18F2523", Buffer,  32768,  256,    32, 0x1110, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40}, kDs39622Rest},
    {"PIC18F2553", Buffer,  32768,  256,    32, 0x2A40, 2 * KB, {0x3F, 0xCF, 0x3F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40}, kDs39622Rest},
    {"PIC18F2585", Buffer,  49152, 1024,    64, 0x0EE0, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x86, 0xF5, 0x00, 0x07, 0xC0, 0x07, 0xE0, 0x07, 0x40}, kDs39622Rest},
    {"PIC18F2610", Buffer,  65536,    0,    64, 0x0CA0, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x0F, 0x40, 0x0F, 0x60, 0x0F, 0x40}, kDs39622Rest},
    {"PIC18F2680", Buffer,  65536, 1024,    64, 0x0EC0, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x86, 0xF5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40}, kDs39622Rest},
    {"PIC18F2682", Buffer,  81920, 1024,    64, 0x2700, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x86, 0xF5, 0x00, 0x1F, 0xC0, 0x1F, 0xE0, 0x1F, 0x40}, kDs39622Rest},
    {"PIC18F2685", Buffer,  98304, 1024,    64, 0x2720, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x86, 0xF5, 0x00, 0x3F, 0xC0, 0x3F, 0xE0, 0x3F, 0x40}, kDs39622Rest},
    {"PIC18F4221", Buffer,   4096,  256,     8, 0x2140, 512, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xF5, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40}, kDs39622Rest},
    {"PIC18F4321", Buffer,   8192,  256,     8, 0x2100, 512, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xF5, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40}, kDs39622Rest},
    {"PIC18F4423", Buffer,  16384,  256,    32, 0x10D0, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x03, 0xC0, 0x03, 0xE0, 0x03, 0x40}, kDs39622Rest},
    {"PIC18F4450", Buffer,  16384,    0,    16, 0x2400, 2 * KB, {0x3F, 0xCF, 0x3F, 0x1F, 0x00, 0x86, 0xED, 0x00, 0x03, 0x40, 0x03, 0x60, 0x03, 0x40}, kDs39622Rest},
    {"PIC18F4458", Buffer,  24576,  256,    32, 0x2A20, 2 * KB, {0x3F, 0xCF, 0x3F, 0x1F, 0x00, 0x87, 0xE5, 0x00, 0x07, 0xC0, 0x07, 0xE0, 0x07, 0x40}, kDs39622Rest},
    {"PIC18F4515", Buffer,  49152,    0,    64, 0x0C60, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x07, 0x40, 0x07, 0x60, 0x07, 0x40}, kDs39622Rest},
    {"PIC18F4523", Buffer,  32768,  256,    32, 0x1090, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40}, kDs39622Rest},
    {"PIC18F4553", Buffer,  32768,  256,    32, 0x2A00, 2 * KB, {0x3F, 0xCF, 0x3F, 0x1F, 0x00, 0x87, 0xE5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40}, kDs39622Rest},
    {"PIC18F4585", Buffer,  49152, 1024,    64, 0x0EA0, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x86, 0xF5, 0x00, 0x07, 0xC0, 0x07, 0xE0, 0x07, 0x40}, kDs39622Rest},
    {"PIC18F4610", Buffer,  65536,    0,    64, 0x0C20, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x87, 0xC5, 0x00, 0x0F, 0x40, 0x0F, 0x60, 0x0F, 0x40}, kDs39622Rest},
    {"PIC18F4680", Buffer,  65536, 1024,    64, 0x0E80, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x86, 0xF5, 0x00, 0x0F, 0xC0, 0x0F, 0xE0, 0x0F, 0x40}, kDs39622Rest},
    {"PIC18F4682", Buffer,  81920, 1024,    64, 0x2740, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x86, 0xF5, 0x00, 0x1F, 0xC0, 0x1F, 0xE0, 0x1F, 0x40}, kDs39622Rest},
    {"PIC18F4685", Buffer,  98304, 1024,    64, 0x2760, 2 * KB, {0x00, 0xCF, 0x1F, 0x1F, 0x00, 0x86, 0xF5, 0x00, 0x3F, 0xC0, 0x3F, 0xE0, 0x3F, 0x40}, kDs39622Rest},
    // K22 (DS41398B): 64-byte buffer on every part; boot block 512 B on X3, 2 KB on the others.
    {"PIC18F23K22",  K22,  8 * KB,  256, 64, 0x5740, 512,    kMaskK22Small, kDs41398},
    {"PIC18F24K22",  K22, 16 * KB,  256, 64, 0x5640, 2 * KB, kMaskK22Small, kDs41398},
    {"PIC18F25K22",  K22, 32 * KB,  256, 64, 0x5540, 2 * KB, kMaskK22Large, kDs41398},
    {"PIC18F26K22",  K22, 64 * KB, 1024, 64, 0x5440, 2 * KB, kMaskK22Large, kDs41398},
    {"PIC18F43K22",  K22,  8 * KB,  256, 64, 0x5700, 512,    kMaskK22Small, kDs41398},
    {"PIC18F44K22",  K22, 16 * KB,  256, 64, 0x5600, 2 * KB, kMaskK22Small, kDs41398},
    {"PIC18F45K22",  K22, 32 * KB,  256, 64, 0x5500, 2 * KB, kMaskK22Large, kDs41398},
    {"PIC18F46K22",  K22, 64 * KB, 1024, 64, 0x5400, 2 * KB, kMaskK22Large, kDs41398},
    {"PIC18LF23K22", K22,  8 * KB,  256, 64, 0x5760, 512,    kMaskK22Small, kDs41398},
    {"PIC18LF24K22", K22, 16 * KB,  256, 64, 0x5660, 2 * KB, kMaskK22Small, kDs41398},
    {"PIC18LF25K22", K22, 32 * KB,  256, 64, 0x5560, 2 * KB, kMaskK22Large, kDs41398},
    {"PIC18LF26K22", K22, 64 * KB, 1024, 64, 0x5460, 2 * KB, kMaskK22Large, kDs41398},
    {"PIC18LF43K22", K22,  8 * KB,  256, 64, 0x5720, 512,    kMaskK22Small, kDs41398},
    {"PIC18LF44K22", K22, 16 * KB,  256, 64, 0x5620, 2 * KB, kMaskK22Small, kDs41398},
    {"PIC18LF45K22", K22, 32 * KB,  256, 64, 0x5520, 2 * KB, kMaskK22Large, kDs41398},
    {"PIC18LF46K22", K22, 64 * KB, 1024, 64, 0x5420, 2 * KB, kMaskK22Large, kDs41398},
    // 1XK22 (DS41357B): the boot block is the smaller size BBSIZ can select.
    {"PIC18F13K22",  K1x,  8 * KB,  256,  8, 0x4F40, 1 * KB, kMask1xK22,    kDs41357},
    {"PIC18F14K22",  K1x, 16 * KB,  256, 16, 0x4F20, 2 * KB, kMask1xK22,    kDs41357},
    {"PIC18LF13K22", K1x,  8 * KB,  256,  8, 0x4F80, 1 * KB, kMask1xK22,    kDs41357},
    {"PIC18LF14K22", K1x, 16 * KB,  256, 16, 0x4F60, 2 * KB, kMask1xK22,    kDs41357},
    // K20 (DS41297D): boot block and code blocks laid out as on the K22.
    {"PIC18F23K20",  K20,  8 * KB,  256,  8, 0x20E0, 512,    kMaskK20Small, kDs41297},
    {"PIC18F24K20",  K20, 16 * KB,  256, 32, 0x20A0, 2 * KB, kMaskK20Small, kDs41297},
    {"PIC18F25K20",  K20, 32 * KB,  256, 32, 0x2060, 2 * KB, kMaskK20Large, kDs41297},
    {"PIC18F26K20",  K20, 64 * KB, 1024, 64, 0x2020, 2 * KB, kMaskK20Large, kDs41297},
    {"PIC18F43K20",  K20,  8 * KB,  256,  8, 0x20C0, 512,    kMaskK20Small, kDs41297},
    {"PIC18F44K20",  K20, 16 * KB,  256, 32, 0x2080, 2 * KB, kMaskK20Small, kDs41297},
    {"PIC18F45K20",  K20, 32 * KB,  256, 32, 0x2040, 2 * KB, kMaskK20Large, kDs41297},
    {"PIC18F46K20",  K20, 64 * KB, 1024, 64, 0x2000, 2 * KB, kMaskK20Large, kDs41297},
    // J parts: program memory is the whole flash, configuration words included; no EEPROM,
    // no boot block, a 64-byte buffer on every part. DS39687E's J11 and J50 erase longer.
    {"PIC18F24J10",  J10,   16 * KB, 0, 64, 0x1D00, 0, kMaskJ10,        kDs39687, false},
    {"PIC18F24J11",  J2x4x, 16 * KB, 0, 64, 0x4D80, 0, kMaskJ11Small,   kDs39687, true},
    {"PIC18F24J50",  J2x4x, 16 * KB, 0, 64, 0x4C00, 0, kMaskFJ50Small,  kDs39687, true},
    {"PIC18F25J10",  J10,   32 * KB, 0, 64, 0x1C00, 0, kMaskJ10,        kDs39687, false},
    {"PIC18F25J11",  J2x4x, 32 * KB, 0, 64, 0x4DA0, 0, kMaskJ11Mid,     kDs39687, true},
    {"PIC18F25J50",  J2x4x, 32 * KB, 0, 64, 0x4C20, 0, kMaskFJ50Mid,    kDs39687, true},
    {"PIC18F26J11",  J2x4x, 64 * KB, 0, 64, 0x4DC0, 0, kMaskJ11Large,   kDs39687, true},
    {"PIC18F26J13",  J2x4x, 64 * KB, 0, 64, 0x5920, 0, kMaskJ13Small,   kDs39687, false},
    {"PIC18F26J50",  J2x4x, 64 * KB, 0, 64, 0x4C40, 0, kMaskFJ50Large,  kDs39687, true},
    {"PIC18F26J53",  J2x4x, 64 * KB, 0, 64, 0x5820, 0, kMaskJ53Small,   kDs39687, false},
    {"PIC18F27J13",  J2x4x,128 * KB, 0, 64, 0x5960, 0, kMaskJ13Large,   kDs39687, false},
    {"PIC18F27J53",  J2x4x,128 * KB, 0, 64, 0x5860, 0, kMaskJ53Large,   kDs39687, false},
    {"PIC18F44J10",  J10,   16 * KB, 0, 64, 0x1D20, 0, kMaskJ10,        kDs39687, false},
    {"PIC18F44J11",  J2x4x, 16 * KB, 0, 64, 0x4DE0, 0, kMaskJ11Small,   kDs39687, true},
    {"PIC18F44J50",  J2x4x, 16 * KB, 0, 64, 0x4C60, 0, kMaskFJ50Small,  kDs39687, true},
    {"PIC18F45J10",  J10,   32 * KB, 0, 64, 0x1C20, 0, kMaskJ10,        kDs39687, false},
    {"PIC18F45J11",  J2x4x, 32 * KB, 0, 64, 0x4E00, 0, kMaskJ11Mid,     kDs39687, true},
    {"PIC18F45J50",  J2x4x, 32 * KB, 0, 64, 0x4C80, 0, kMaskFJ50Mid,    kDs39687, true},
    {"PIC18F46J11",  J2x4x, 64 * KB, 0, 64, 0x4E20, 0, kMaskJ11Large,   kDs39687, true},
    {"PIC18F46J13",  J2x4x, 64 * KB, 0, 64, 0x59A0, 0, kMaskJ13Small,   kDs39687, false},
    {"PIC18F46J50",  J2x4x, 64 * KB, 0, 64, 0x4CA0, 0, kMaskFJ50Large,  kDs39687, true},
    {"PIC18F46J53",  J2x4x, 64 * KB, 0, 64, 0x58A0, 0, kMaskJ53Small,   kDs39687, false},
    {"PIC18F47J13",  J2x4x,128 * KB, 0, 64, 0x59E0, 0, kMaskJ13Large,   kDs39687, false},
    {"PIC18F47J53",  J2x4x,128 * KB, 0, 64, 0x58E0, 0, kMaskJ53Large,   kDs39687, false},
    {"PIC18LF24J10", J10,   16 * KB, 0, 64, 0x1D40, 0, kMaskJ10,        kDs39687, false},
    {"PIC18LF24J11", J2x4x, 16 * KB, 0, 64, 0x4E40, 0, kMaskJ11Small,   kDs39687, true},
    {"PIC18LF24J50", J2x4x, 16 * KB, 0, 64, 0x4CC0, 0, kMaskLFJ50Small, kDs39687, true},
    {"PIC18LF25J10", J10,   32 * KB, 0, 64, 0x1C40, 0, kMaskJ10,        kDs39687, false},
    {"PIC18LF25J11", J2x4x, 32 * KB, 0, 64, 0x4E60, 0, kMaskJ11Mid,     kDs39687, true},
    {"PIC18LF25J50", J2x4x, 32 * KB, 0, 64, 0x4CE0, 0, kMaskLFJ50Mid,   kDs39687, true},
    {"PIC18LF26J11", J2x4x, 64 * KB, 0, 64, 0x4E80, 0, kMaskJ11Large,   kDs39687, true},
    {"PIC18LF26J13", J2x4x, 64 * KB, 0, 64, 0x5B20, 0, kMaskJ13Small,   kDs39687, false},
    {"PIC18LF26J50", J2x4x, 64 * KB, 0, 64, 0x4D00, 0, kMaskLFJ50Large, kDs39687, true},
    {"PIC18LF26J53", J2x4x, 64 * KB, 0, 64, 0x5A20, 0, kMaskJ53Small,   kDs39687, false},
    {"PIC18LF27J13", J2x4x,128 * KB, 0, 64, 0x5B60, 0, kMaskJ13Large,   kDs39687, false},
    {"PIC18LF27J53", J2x4x,128 * KB, 0, 64, 0x5A60, 0, kMaskJ53Large,   kDs39687, false},
    {"PIC18LF44J10", J10,   16 * KB, 0, 64, 0x1D60, 0, kMaskJ10,        kDs39687, false},
    {"PIC18LF44J11", J2x4x, 16 * KB, 0, 64, 0x4EA0, 0, kMaskJ11Small,   kDs39687, true},
    {"PIC18LF44J50", J2x4x, 16 * KB, 0, 64, 0x4D20, 0, kMaskLFJ50Small, kDs39687, true},
    {"PIC18LF45J10", J10,   32 * KB, 0, 64, 0x1C60, 0, kMaskJ10,        kDs39687, false},
    {"PIC18LF45J11", J2x4x, 32 * KB, 0, 64, 0x4EC0, 0, kMaskJ11Mid,     kDs39687, true},
    {"PIC18LF45J50", J2x4x, 32 * KB, 0, 64, 0x4D40, 0, kMaskLFJ50Mid,   kDs39687, true},
    {"PIC18LF46J11", J2x4x, 64 * KB, 0, 64, 0x4EE0, 0, kMaskJ11Large,   kDs39687, true},
    {"PIC18LF46J13", J2x4x, 64 * KB, 0, 64, 0x5BA0, 0, kMaskJ13Small,   kDs39687, false},
    {"PIC18LF46J50", J2x4x, 64 * KB, 0, 64, 0x4D60, 0, kMaskLFJ50Large, kDs39687, true},
    {"PIC18LF46J53", J2x4x, 64 * KB, 0, 64, 0x5AA0, 0, kMaskJ53Small,   kDs39687, false},
    {"PIC18LF47J13", J2x4x,128 * KB, 0, 64, 0x5BE0, 0, kMaskJ13Large,   kDs39687, false},
    {"PIC18LF47J53", J2x4x,128 * KB, 0, 64, 0x5AE0, 0, kMaskJ53Large,   kDs39687, false},
    {"PIC18F63J11",  J6x8x,  8 * KB, 0, 64, 0x3900, 0, kMaskJ10,        kDs39644},
    {"PIC18F63J90",  J6x8x,  8 * KB, 0, 64, 0x3800, 0, kMaskJ10,        kDs39644},
    {"PIC18F64J11",  J6x8x, 16 * KB, 0, 64, 0x3920, 0, kMaskJ10,        kDs39644},
    {"PIC18F64J90",  J6x8x, 16 * KB, 0, 64, 0x3820, 0, kMaskJ10,        kDs39644},
    {"PIC18F65J10",  J6x8x, 32 * KB, 0, 64, 0x1520, 0, kMaskJ10,        kDs39644},
    {"PIC18F65J11",  J6x8x, 32 * KB, 0, 64, 0x3960, 0, kMaskJ10,        kDs39644},
    {"PIC18F65J15",  J6x8x, 48 * KB, 0, 64, 0x1540, 0, kMaskJ10,        kDs39644},
    {"PIC18F65J50",  J6x8x, 32 * KB, 0, 64, 0x4100, 0, kMask6xJ50,      kDs39644},
    {"PIC18F65J90",  J6x8x, 32 * KB, 0, 64, 0x3860, 0, kMaskJ10,        kDs39644},
    {"PIC18F66J10",  J6x8x, 64 * KB, 0, 64, 0x1560, 0, kMaskJ10,        kDs39644},
    {"PIC18F66J11",  J6x8x, 64 * KB, 0, 64, 0x4440, 0, kMask6xJ11Large, kDs39644},
    {"PIC18F66J15",  J6x8x, 96 * KB, 0, 64, 0x1580, 0, kMaskJ10,        kDs39644},
    {"PIC18F66J16",  J6x8x, 96 * KB, 0, 64, 0x4460, 0, kMask6xJ11Large, kDs39644},
    {"PIC18F66J50",  J6x8x, 64 * KB, 0, 64, 0x4140, 0, kMask6xJ50,      kDs39644},
    {"PIC18F66J55",  J6x8x, 96 * KB, 0, 64, 0x4160, 0, kMask6xJ50,      kDs39644},
    {"PIC18F67J10",  J6x8x,128 * KB, 0, 64, 0x15A0, 0, kMaskJ10,        kDs39644},
    {"PIC18F67J11",  J6x8x,128 * KB, 0, 64, 0x4480, 0, kMask6xJ11Large, kDs39644},
    {"PIC18F67J50",  J6x8x,128 * KB, 0, 64, 0x4180, 0, kMask6xJ50,      kDs39644},
    {"PIC18F83J11",  J6x8x,  8 * KB, 0, 64, 0x3980, 0, kMask8xJ11Small, kDs39644},
    {"PIC18F83J90",  J6x8x,  8 * KB, 0, 64, 0x3880, 0, kMaskJ10,        kDs39644},
    {"PIC18F84J11",  J6x8x, 16 * KB, 0, 64, 0x39A0, 0, kMask8xJ11Small, kDs39644},
    {"PIC18F84J90",  J6x8x, 16 * KB, 0, 64, 0x38A0, 0, kMaskJ10,        kDs39644},
    {"PIC18F85J10",  J6x8x, 32 * KB, 0, 64, 0x15E0, 0, kMask8xJ10,      kDs39644},
    {"PIC18F85J11",  J6x8x, 32 * KB, 0, 64, 0x39E0, 0, kMask8xJ11Small, kDs39644},
    {"PIC18F85J15",  J6x8x, 48 * KB, 0, 64, 0x1700, 0, kMask8xJ10,      kDs39644},
    {"PIC18F85J50",  J6x8x, 32 * KB, 0, 64, 0x41A0, 0, kMask8xJ50,      kDs39644},
    {"PIC18F85J90",  J6x8x, 32 * KB, 0, 64, 0x38E0, 0, kMaskJ10,        kDs39644},
    {"PIC18F86J10",  J6x8x, 64 * KB, 0, 64, 0x1720, 0, kMask8xJ10,      kDs39644},
    {"PIC18F86J11",  J6x8x, 64 * KB, 0, 64, 0x44E0, 0, kMask8xJ11Large, kDs39644},
    {"PIC18F86J15",  J6x8x, 96 * KB, 0, 64, 0x1740, 0, kMask8xJ10,      kDs39644},
    {"PIC18F86J16",  J6x8x, 96 * KB, 0, 64, 0x4500, 0, kMask8xJ11Large, kDs39644},
    {"PIC18F86J50",  J6x8x, 64 * KB, 0, 64, 0x41E0, 0, kMask8xJ50,      kDs39644},
    {"PIC18F86J55",  J6x8x, 96 * KB, 0, 64, 0x4200, 0, kMask8xJ50,      kDs39644},
    {"PIC18F87J10",  J6x8x,128 * KB, 0, 64, 0x1760, 0, kMask8xJ10,      kDs39644},
    {"PIC18F87J11",  J6x8x,128 * KB, 0, 64, 0x4520, 0, kMask8xJ11Large, kDs39644},
    {"PIC18F87J50",  J6x8x,128 * KB, 0, 64, 0x4220, 0, kMask8xJ50,      kDs39644},
    {"PIC18F66J60",  J60,   64 * KB, 0, 64, 0x1800, 0, kMask6xJ60,      kDs39688},
    {"PIC18F66J65",  J60,   96 * KB, 0, 64, 0x1F00, 0, kMask6xJ60,      kDs39688},
    {"PIC18F67J60",  J60,  128 * KB, 0, 64, 0x1F20, 0, kMask6xJ60,      kDs39688},
    {"PIC18F86J60",  J60,   64 * KB, 0, 64, 0x1820, 0, kMask8xJ60,      kDs39688},
    {"PIC18F86J65",  J60,   96 * KB, 0, 64, 0x1F40, 0, kMask8xJ60,      kDs39688},
    {"PIC18F87J60",  J60,  128 * KB, 0, 64, 0x1F60, 0, kMask8xJ60,      kDs39688},
    {"PIC18F96J60",  J60,   64 * KB, 0, 64, 0x1840, 0, kMask9xJ60,      kDs39688},
    {"PIC18F96J65",  J60,   96 * KB, 0, 64, 0x1F80, 0, kMask9xJ60,      kDs39688},
    {"PIC18F97J60",  J60,  128 * KB, 0, 64, 0x1FA0, 0, kMask9xJ60,      kDs39688},
};

bool sameNameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

constexpr int kConfig5L = 8;

} // namespace

int ChipModel::codeBlockCount() const
{
    if (isJFamily(family))
        return 1;
    return std::popcount(configMask[kConfig5L]);
}

std::uint32_t ChipModel::codeBlockSize() const
{
    return programMemorySize / static_cast<std::uint32_t>(codeBlockCount());
}

int ChipModel::configRegisterCount() const
{
    return isJFamily(family) ? kFlashConfigByteCount : kConfigByteCount;
}

bool hasPgmPin(ChipFamily family)
{
    // RB5/PGM: DS39622L Table 2-1, the older guides' pin lists and DS41297D Table 2-1;
    // RC3/PGM on the 1XK22 (DS41357B Table 2-1). The K22 has none (DS41398B Table 2-1),
    // nor the J parts (DS39687E Table 2-1, DS39644G, DS39688C).
    switch (family) {
    case ChipFamily::PanelWrite:
    case ChipFamily::BufferWrite:
    case ChipFamily::OneXK22:
    case ChipFamily::K20:
        return true;
    case ChipFamily::K22:
    case ChipFamily::J10:
    case ChipFamily::J2X4X:
    case ChipFamily::J6X8X:
    case ChipFamily::J60:
        return false;
    }
    return false;
}

bool hasLvpBit(const ChipModel& model)
{
    // The J parts' CONFIG4L holds other bits where the LVP bit would be (DS39687E Table 5-2).
    return !isJFamily(model.family) && (model.configMask[kConfig4L] & kLvpBit) != 0;
}

std::span<const ChipModel> chipModels()
{
    return kChipModels;
}

const ChipModel* findChipModel(std::string_view name)
{
    const auto found = std::ranges::find_if(kChipModels, [name](const ChipModel& model) {
        return sameNameIgnoringCase(model.name, name);
    });
    return found == std::end(kChipModels) ? nullptr : &*found;
}

} // namespace velmora::sim
