#pragma once
// SerialLines on a POSIX tty: DTR and RTS through TIOCMSET, TxD break through
// TIOCSBRK/TIOCCBRK, CTS through TIOCMGET.

#include "corvant/PosixSystem.h"
#include "corvant/SerialLines.h"

#include <memory>
#include <string>

namespace corvant {

class PosixSerialLines final : public SerialLines {
public:
    // Opens device, checks it is a tty, locks it against other programs and
    // saves its settings. nullptr (and nothing left open) on failure.
    static std::unique_ptr<SerialLines> open(PosixSystem& system, const std::string& device,
                                             std::string& failure);
    ~PosixSerialLines() override;
    PosixSerialLines(const PosixSerialLines&) = delete;
    PosixSerialLines& operator=(const PosixSerialLines&) = delete;

    bool setBreak(bool on) override;
    bool setDtrRts(bool dtr, bool rts) override;
    bool readCts(bool& high) override;
    bool close() override;
    const std::string& device() const override { return device_; }
    const std::string& usbDriver() const override { return usbDriver_; }

private:
    PosixSerialLines(PosixSystem& system, int fd, std::string device);
    bool setUp(std::string& failure);
    bool isOpen() const { return fd_ >= 0; }

    PosixSystem& system_;
    int fd_;
    std::string device_;
    std::string usbDriver_;
    termios saved_{};
    bool settingsChanged_ = false;
    bool exclusive_ = false;
    // Output modem bits as last set; TIOCMSET rewrites them all, so the other
    // outputs are carried along instead of being read back before every write.
    int outputBits_ = 0;
};

} // namespace corvant
