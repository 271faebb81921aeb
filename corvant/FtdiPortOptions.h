#pragma once
// The port strings of the FTDI programmer (an FTDI chip in synchronous bit-bang mode):
//   FTDI:<vendor>:<product>[:<serial>][,key=value...]
// vendor and product as 4 hex digits (an optional 0x), the serial as the chip
// reports it. Keys, each at most once, names in any case:
//   vpp=<pin>    MCLR through an external Vpp switch (pin high = Vpp on), or
//   mclr=<pin>   MCLR at logic level (pin high = MCLR at VDD): low-voltage entry,
//   pgm=<pin>    with mclr=: the PGM line (without it, entry by the key sequence),
//   pgc=<pin>, pgd=<pin> (through a series resistor to PGD), pgdin=<pin> (the
//   input wired straight to PGD: pin directions never change),
//   interface=A|B|C|D  the channel of a multi-channel chip.
// Pins by UART name or D0..D7 (FtdiPins.h), every pin distinct. With none of
// vpp, mclr, pgc, pgd, pgdin given the default map applies: mclr=TXD, pgc=RTS,
// pgd=DTR, pgdin=CTS (pgm= may still be added, DSR on the boards documented).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvant {

struct FtdiWiring {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::string serial;    // empty: the first device of vendor:product
    unsigned channel = 0;  // 0: the chip's only (or first) interface; 1..4: A..D
    // Data bits (0..7) of each role.
    unsigned vpp = 0;  // the pin on MCLR: a Vpp switch, or MCLR itself when logicLevelMclr
    unsigned pgc = 0;
    unsigned pgd = 0;
    unsigned pgdIn = 0;
    bool logicLevelMclr = false;
    std::optional<unsigned> pgm;
};

// nullopt with the reason in failure for a string that is not a valid FTDI port.
std::optional<FtdiWiring> parseFtdiPort(std::string_view port, std::string& failure);

// "0403:6001" or "0403:6001:A9XYZ".
std::string ftdiDeviceName(const FtdiWiring& wiring);

} // namespace corvant
