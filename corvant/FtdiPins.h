#pragma once
// The eight pins an FTDI chip drives in bit-bang mode, by the UART line each one
// carries on an FT232R (TXD = D0, RXD = D1, RTS = D2, CTS = D3, DTR = D4,
// DSR = D5, DCD = D6, RI = D7) or by its data-bit name D0..D7, in any case.

#include <optional>
#include <string_view>

namespace corvant {

inline constexpr unsigned kFtdiPinCount = 8;

// The data bit a pin name stands for; nullopt for any other text.
std::optional<unsigned> ftdiPinBit(std::string_view name);
// The UART line's name of a data bit ("TXD"); empty for a bit beyond D7.
std::string_view ftdiPinName(unsigned bit);

} // namespace corvant
