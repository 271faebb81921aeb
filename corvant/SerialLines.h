#pragma once
// The platform layer under the serial back end: the modem control lines of one
// open serial port. This is the only part that changes for another OS (on
// Windows: EscapeCommFunction SETBREAK/CLRBREAK, SETDTR/CLRDTR, SETRTS/CLRRTS
// and GetCommModemStatus MS_CTS_ON).

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace corvant {

class SerialLines {
public:
    virtual ~SerialLines() = default;
    // TxD held in the break (space) state while on.
    virtual bool setBreak(bool on) = 0;
    // Both lines in one call, so they change together.
    virtual bool setDtrRts(bool dtr, bool rts) = 0;
    virtual bool readCts(bool& high) = 0;
    // Restores the port's settings and releases it; the lines are the caller's business.
    virtual bool close() = 0;
    virtual const std::string& device() const = 0;
    // The kernel driver of a USB serial adapter; empty for a motherboard or PCI port.
    virtual const std::string& usbDriver() const = 0;
};

// Opens a port exclusively; nullptr with the reason in failure when it cannot.
using SerialLinesOpener =
    std::function<std::unique_ptr<SerialLines>(const std::string& device, std::string& failure)>;

// The platform's own opener and its device name for "COM<number>".
std::unique_ptr<SerialLines> openSerialLines(const std::string& device, std::string& failure);
std::string comPortDevice(unsigned number);

} // namespace corvant
