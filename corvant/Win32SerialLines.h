#pragma once
// SerialLines on a Windows COM port: TxD break through SETBREAK/CLRBREAK, DTR and
// RTS through SETDTR/CLRDTR and SETRTS/CLRRTS, CTS through GetCommModemStatus.

#include "corvant/SerialLines.h"
#include "corvant/Win32Comm.h"

#include <memory>
#include <optional>
#include <string>

namespace corvant {

class Win32SerialLines final : public SerialLines {
public:
    // Opens device ("\\.\COM3") for this process alone and turns flow control off.
    // nullptr (and nothing left open) on failure.
    static std::unique_ptr<SerialLines> open(Win32Comm& comm, const std::string& device,
                                             std::string& failure);
    ~Win32SerialLines() override;
    Win32SerialLines(const Win32SerialLines&) = delete;
    Win32SerialLines& operator=(const Win32SerialLines&) = delete;

    bool setBreak(bool on) override;
    bool setDtrRts(bool dtr, bool rts) override;
    bool readCts(bool& high) override;
    bool close() override;
    const std::string& device() const override { return device_; }
    // Windows does not say which driver serves a port.
    const std::string& usbDriver() const override { return usbDriver_; }

private:
    Win32SerialLines(Win32Comm& comm, HANDLE handle, std::string device);
    bool setUp(std::string& failure);
    bool setLine(std::optional<bool>& current, bool wanted, DWORD raise, DWORD lower);
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

    Win32Comm& comm_;
    HANDLE handle_;
    std::string device_;
    const std::string usbDriver_;
    // Levels as last set; Windows moves one line per call, so unchanged ones are skipped.
    std::optional<bool> dtr_;
    std::optional<bool> rts_;
};

} // namespace corvant
