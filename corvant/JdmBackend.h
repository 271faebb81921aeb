#pragma once
// The JDM-style bit-bang programmer on a serial port: Vpp (MCLR) on TxD break,
// PGD out on DTR, PGC on RTS, PGD in on CTS.

#include "corvant/BackendTable.h"
#include "corvant/PinBackend.h"
#include "corvant/SerialLines.h"

#include <memory>
#include <string>
#include <string_view>

namespace corvant {

class JdmBackend final : public PinBackend {
public:
    // Takes the open port and drives every line low; nullptr (port released)
    // when the port cannot drive its lines.
    static std::unique_ptr<PinBackend> open(std::unique_ptr<SerialLines> lines,
                                            std::string& failure);
    ~JdmBackend() override;
    JdmBackend(const JdmBackend&) = delete;
    JdmBackend& operator=(const JdmBackend&) = delete;

    bool setVpp(bool on) override;
    bool setDataClock(bool data, bool clock) override;
    bool read(std::uint8_t& level) override;
    bool close() override;
    std::string describe() const override;

private:
    explicit JdmBackend(std::unique_ptr<SerialLines> lines);

    std::unique_ptr<SerialLines> lines_;
    std::string device_;
    std::string usbDriver_;
};

// The rows for serial ports: "COM<n>" and this platform's device paths
// ("/dev/ttyUSB0", "\\.\COM10"), opened with `open`.
BackendTable serialBackendEntries(SerialLinesOpener open);

} // namespace corvant
