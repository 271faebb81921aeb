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

} // namespace velmora::editor
