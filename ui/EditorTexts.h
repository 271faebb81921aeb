#pragma once
// Captions of the configuration editors (UTF-8: one item carries typographic quotes).

namespace velmora::editor {

inline constexpr char kCaption[] = "Device configuration and ID locations";
inline constexpr char kIdGroup[] = "IDs (Offset:Value) :";
inline constexpr char kConfigGroup[] = "Configuration (Offset:Value) :";
inline constexpr char kBitsGroup[] = "Configuration bits:";
inline constexpr char kCpGroup[] = "CPX set:";
inline constexpr char kWrtGroup[] = "WRTX set:";
inline constexpr char kEbtrGroup[] = "EBTRX set:";
inline constexpr char kLegendDisable[] = "Disable";
inline constexpr char kLegendEnable[] = "Enable";

inline constexpr char kOscillatorGroup[] = "Oscillator selection:";
inline constexpr char kBorVoltageGroup[] = "Brown-out reset voltage:";
inline constexpr char kWdtPostscalerGroup[] = "Watchdog timer postscaler select:";
inline constexpr char kProcessorModeGroup[] = "Processor Mode:";

inline constexpr char kCcp2mx[] = "Set CCP2MX bit";

// Editor 3 for a J part: its 8 configuration words are the top of flash, and it has no
// ID locations.
inline constexpr char kFlashConfigNote[] =
    "These 8 bytes are the configuration words in the last 8 bytes of flash.\n"
    "The chip stores the upper four bits of each odd byte as 1111\n"
    "and bit 3 of CONFIG1H (byte 01) as 0, whatever is written here.\n"
    "This device has no ID locations.";

} // namespace velmora::editor
