#pragma once
// A stand-in for the serial layer under the JDM back end (corvant/SerialLines.h): one
// port's lines as plain levels, a log of the calls made on them and a failure on
// demand. No operating system in it, so the back end's own logic runs the same on
// every platform; what each system's layer does is SerialPortTest's and
// Win32SerialLinesTest's business.

#include "corvant/SerialLines.h"

#include <memory>
#include <string>
#include <vector>

namespace corvant::test {

// The port itself, shared by every program that opens it.
struct FakeSerialPort {
    std::string device = comPortDevice(1);
    std::string usbDriver;
    // As another program might have left it: every line up.
    bool breakOn = true;
    bool dtr = true;
    bool rts = true;
    bool cts = false;
    bool held = false;
    // "break 1", "lines 0 1" (DTR, RTS), "cts", "close".
    std::vector<std::string> calls;
    // The call (its first word) that fails once, next time it is made.
    std::string failNext;
};

// Opens the port when the device is its own and no other program holds it.
SerialLinesOpener fakeSerialOpener(FakeSerialPort& port);

} // namespace corvant::test
