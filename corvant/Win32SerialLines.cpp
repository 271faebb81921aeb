#include "corvant/Win32SerialLines.h"

#include "corvant/CorvantTexts.h"
#include "corvant/PortName.h"

namespace corvant {
namespace {

// Port names are plain ASCII; anything else cannot name a COM port.
std::optional<std::wstring> widen(const std::string& device)
{
    std::wstring wide;
    wide.reserve(device.size());
    for (const char c : device) {
        if (static_cast<unsigned char>(c) > 0x7F)
            return std::nullopt;
        wide.push_back(static_cast<wchar_t>(c));
    }
    return wide;
}

std::string openFailure(const std::string& device, DWORD error)
{
    switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return device + std::string(texts::kInUse);
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return std::string(texts::kCannotOpen) + device + std::string(texts::kNoSuchPort);
    default:
        return std::string(texts::kCannotOpen) + device + std::string(texts::kWindowsError) +
               std::to_string(error);
    }
}

} // namespace

std::unique_ptr<SerialLines> openSerialLines(const std::string& device, std::string& failure)
{
    return Win32SerialLines::open(realWin32Comm(), device, failure);
}

std::string comPortDevice(unsigned number)
{
    // The device namespace form works for every number; plain "COM10" would not.
    return std::string(portPrefix(PortKind::SerialDevice)) + "COM" + std::to_string(number);
}

std::unique_ptr<SerialLines> Win32SerialLines::open(Win32Comm& comm, const std::string& device,
                                                    std::string& failure)
{
    const auto path = widen(device);
    if (!path) {
        failure = std::string(texts::kCannotOpen) + device + std::string(texts::kNoSuchPort);
        return nullptr;
    }
    // Share mode 0: while we hold the port no other program can open it.
    HANDLE handle = comm.createFile(path->c_str(), GENERIC_READ | GENERIC_WRITE, 0, OPEN_EXISTING, 0);
    if (handle == INVALID_HANDLE_VALUE) {
        failure = openFailure(device, comm.lastError());
        return nullptr;
    }
    std::unique_ptr<Win32SerialLines> lines(new Win32SerialLines(comm, handle, device));
    if (!lines->setUp(failure))
        return nullptr; // the destructor closes the handle
    return lines;
}

Win32SerialLines::Win32SerialLines(Win32Comm& comm, HANDLE handle, std::string device)
    : comm_(comm), handle_(handle), device_(std::move(device))
{
}

Win32SerialLines::~Win32SerialLines()
{
    close();
}

bool Win32SerialLines::setUp(std::string& failure)
{
    DCB settings{};
    settings.DCBlength = sizeof(settings);
    if (!comm_.getCommState(handle_, &settings)) {
        failure = device_ + std::string(texts::kNotSerialPort);
        return false;
    }
    // Handshaking would let the driver move DTR and RTS (data and clock) on its own,
    // and an XOFF sent on TxD would cut into the Vpp line. Both lines start low.
    settings.fOutxCtsFlow = FALSE;
    settings.fOutxDsrFlow = FALSE;
    settings.fDsrSensitivity = FALSE;
    settings.fDtrControl = DTR_CONTROL_DISABLE;
    settings.fRtsControl = RTS_CONTROL_DISABLE;
    settings.fOutX = FALSE;
    settings.fInX = FALSE;
    if (!comm_.setCommState(handle_, &settings)) {
        failure = std::string(texts::kCannotSetUp) + device_ + std::string(texts::kWindowsError) +
                  std::to_string(comm_.lastError());
        return false;
    }
    return true;
}

bool Win32SerialLines::setBreak(bool on)
{
    if (!isOpen())
        return false;
    return comm_.escapeCommFunction(handle_, on ? SETBREAK : CLRBREAK) != 0;
}

bool Win32SerialLines::setDtrRts(bool dtr, bool rts)
{
    if (!isOpen())
        return false;
    // Data before clock: a clock edge in the same write then sees the new data bit.
    return setLine(dtr_, dtr, SETDTR, CLRDTR) && setLine(rts_, rts, SETRTS, CLRRTS);
}

bool Win32SerialLines::setLine(std::optional<bool>& current, bool wanted, DWORD raise, DWORD lower)
{
    if (current == wanted)
        return true;
    if (!comm_.escapeCommFunction(handle_, wanted ? raise : lower)) {
        current.reset(); // unknown now: the next write sets it again
        return false;
    }
    current = wanted;
    return true;
}

bool Win32SerialLines::readCts(bool& high)
{
    high = false;
    if (!isOpen())
        return false;
    DWORD status = 0;
    if (!comm_.getCommModemStatus(handle_, &status))
        return false;
    high = (status & MS_CTS_ON) != 0;
    return true;
}

bool Win32SerialLines::close()
{
    if (!isOpen())
        return true;
    // The settings are not put back: the saved ones would raise DTR and RTS again
    // as the port is let go, and the lines are to stay low.
    const bool closed = comm_.closeHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    dtr_.reset();
    rts_.reset();
    return closed;
}

} // namespace corvant
