#pragma once
// Every text corvant hands out: the GetDllInfo line and the reasons a port did
// not open (shown after "no port open" so the user can see why).

#include <string_view>

namespace corvant::texts {

inline constexpr std::string_view kLibrary = "corvant " VELMORA_VERSION;
inline constexpr std::string_view kNoPortOpen = "no port open";

inline constexpr std::string_view kNoPortName = "no port name given";
inline constexpr std::string_view kBadPortName =
    "not a port name; use COM1 to COMn, a device path such as /dev/ttyUSB0, "
    "GPIO:<chip>,vpp=<line>,pgc=<line>,pgd=<line>, FTDI:<vendor>:<product>[:<serial>], or SIM";
inline constexpr std::string_view kUnknownSimPort = "the simulated programmer does not accept it";

inline constexpr std::string_view kLinesDoNotAnswer = ": the lines fail to answer a write or a read";

inline constexpr std::string_view kCannotOpen = "cannot open ";
inline constexpr std::string_view kPermissionHint = " (is the user in the dialout group?)";
inline constexpr std::string_view kNotSerialPort = " is not a serial port";
inline constexpr std::string_view kInUse = " is in use by another program";
inline constexpr std::string_view kCannotSetUp = "cannot set up ";
inline constexpr std::string_view kNoSuchPort = ": no such port";
inline constexpr std::string_view kWindowsError = ": Windows error ";
inline constexpr std::string_view kNoModemLines = " has no modem control lines (DTR, RTS, break, CTS)";

inline constexpr std::string_view kJdmProgrammer = "JDM serial bit-bang programmer on ";
inline constexpr std::string_view kJdmWiring = " (Vpp=TxD break, PGD=DTR, PGC=RTS, data in=CTS)";
inline constexpr std::string_view kUsbAdapter = ", a USB serial adapter (kernel driver ";
inline constexpr std::string_view kUsbSlowPath =
    "): each line change is a USB request, so it is slow; a motherboard or PCI serial port, "
    "or a GPIO programmer, is the fast path";
inline constexpr std::string_view kUnknownDriver = "unknown";

inline constexpr std::string_view kGpioUsage =
    "use GPIO:<chip>,vpp=<line>,pgc=<line>,pgd=<line>[,pgdin=<line>][,active-low=<role>[+<role>]], "
    "for example GPIO:gpiochip0,vpp=17,pgc=27,pgd=22, or mclr=<line>,pgm=<line> instead of vpp=<line> "
    "for low-voltage programming (mclr=<line> alone for parts entered by the key sequence)";
inline constexpr std::string_view kGpioNoChip = "no GPIO chip named; ";
inline constexpr std::string_view kGpioBadOption = "unknown option ";
inline constexpr std::string_view kGpioRepeatedOption = "option given twice: ";
inline constexpr std::string_view kGpioUnknownRole = "active-low names no line role: ";
inline constexpr std::string_view kGpioBadLine = "not a line number: ";
inline constexpr std::string_view kGpioMissingRole = "no line given for ";
inline constexpr std::string_view kGpioActiveLowUnused = "active-low names a line that is not given: ";
inline constexpr std::string_view kGpioLineTwice = " is given for both ";
inline constexpr std::string_view kGpioVppAndMclr =
    "vpp= and mclr= exclude each other: vpp= switches a programming voltage onto MCLR, "
    "mclr= drives MCLR at logic level for low-voltage programming";
inline constexpr std::string_view kGpioPgmWithVpp =
    "pgm= enters at low voltage, so it needs mclr=<line> (MCLR at logic level) instead of vpp=";
inline constexpr std::string_view kGpioPgmWithoutMclr = "pgm= needs mclr=<line>, the line on MCLR";
// Followed by the build's reason.
inline constexpr std::string_view kGpioNoLibrary =
    "this corvant was built without libgpiod, so GPIO ports are not available: ";
inline constexpr std::string_view kGpioCannotOpenChip = "cannot open GPIO chip ";
inline constexpr std::string_view kGpioNotAChip =
    ": not a GPIO chip (name a chip as gpiodetect lists it: gpiochip0, 0, its label or /dev/gpiochip0)";
inline constexpr std::string_view kGpioNoSuchChip =
    ": no GPIO chip has this name, number, label or path (gpiodetect lists the chips)";
inline constexpr std::string_view kGpioPermissionHint =
    " (add the user to the gpio group, or give /dev/gpiochip* to the user's group with a udev rule)";
inline constexpr std::string_view kGpioOutOfRange = " is out of range: the chip has lines 0 to ";
inline constexpr std::string_view kGpioNoLines = " is out of range: the chip has no lines";
inline constexpr std::string_view kGpioHeldBy = " is held by ";
inline constexpr std::string_view kGpioHeldByUnnamed = "another consumer";
inline constexpr std::string_view kGpioCannotRequest = "cannot request ";
inline constexpr std::string_view kGpioProgrammer = "GPIO programmer on ";
inline constexpr std::string_view kGpioAt = " at ";
inline constexpr std::string_view kGpioLowVoltage = ", low-voltage entry";
inline constexpr std::string_view kGpioKeyEntry = ", low-voltage entry by key sequence";
// The description of an open-drain PGD; velmora-cli's wiring check looks for it.
inline constexpr std::string_view kGpioDataInOnPgd = " open-drain, data in on PGD)";

inline constexpr std::string_view kFtdiUsage =
    "use FTDI:<vendor>:<product>[:<serial>][,mclr=<pin>|vpp=<pin>,pgc=<pin>,pgd=<pin>,pgdin=<pin>][,pgm=<pin>]"
    "[,interface=A|B|C|D], vendor and product as 4 hex digits, pins by name (TXD, RXD, RTS, CTS, DTR, DSR, DCD, RI) "
    "or D0 to D7, for example FTDI:0403:6001,mclr=TXD,pgc=RTS,pgd=DTR,pgdin=CTS (the pins used when none are given)";
inline constexpr std::string_view kFtdiBadDevice = "not <vendor>:<product>[:<serial>] with 4 hex digits each: ";
inline constexpr std::string_view kFtdiBadOption = "unknown option ";
inline constexpr std::string_view kFtdiRepeatedOption = "option given twice: ";
inline constexpr std::string_view kFtdiBadPin = "not a pin name: ";
inline constexpr std::string_view kFtdiBadInterface = "interface= takes A, B, C or D: ";
inline constexpr std::string_view kFtdiMissingRole = "no pin given for ";
inline constexpr std::string_view kFtdiPinTwice = " is given for both ";
inline constexpr std::string_view kFtdiVppAndMclr =
    "vpp= and mclr= exclude each other: vpp= switches a programming voltage onto MCLR through an external switch, "
    "mclr= drives MCLR at logic level for low-voltage programming";
inline constexpr std::string_view kFtdiPgmWithVpp =
    "pgm= enters at low voltage, so it needs mclr=<pin> (MCLR at logic level) instead of vpp=";
// Followed by the build's reason.
inline constexpr std::string_view kFtdiNoLibrary = "this corvant was built without libftdi1, so FTDI ports are not available: ";
inline constexpr std::string_view kFtdiNoDevice =
    ": no such USB device (is the adapter plugged in? lsusb lists vendor:product, and the serial must match)";
inline constexpr std::string_view kFtdiNoPermission = ": the USB device cannot be opened, most likely a permission (add a udev rule such as "
                                                      "SUBSYSTEM==\"usb\", ATTRS{idVendor}==\"";
inline constexpr std::string_view kFtdiRuleProduct = "\", ATTRS{idProduct}==\"";
inline constexpr std::string_view kFtdiRuleEnd =
    "\", GROUP=\"plugdev\", MODE=\"0660\" in /etc/udev/rules.d/ and put the user in the plugdev group)";
inline constexpr std::string_view kFtdiInUse =
    ": the USB device is in use (claiming it failed: another program holds it, or the kernel's ftdi_sio driver "
    "could not be detached)";
inline constexpr std::string_view kFtdiCannotOpen = "cannot open FTDI device ";
inline constexpr std::string_view kFtdiCannotSetUp = "cannot set up FTDI device ";
inline constexpr std::string_view kFtdiNoSteadyRate =
    ": its pin byte rate could not be measured (the pins never kept pace with the USB link)";
inline constexpr std::string_view kFtdiProgrammer = "FTDI synchronous bit-bang programmer on ";
inline constexpr std::string_view kFtdiLowVoltage = ", low-voltage entry";
inline constexpr std::string_view kFtdiKeyEntry = ", low-voltage entry by key sequence";
inline constexpr std::string_view kFtdiStatesPerSecond = " pin states/s, ";
inline constexpr std::string_view kFtdiPerExchange = " ms per USB exchange";

} // namespace corvant::texts
