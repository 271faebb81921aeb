#pragma once
// The platform layer under the FTDI back end: exactly the libftdi1 calls it
// makes, one method each (LibftdiLink.cpp), or the reason this build has none
// (NoFtdiLink.cpp). Tests stand in for it and record every call.

#include <cstdint>
#include <memory>
#include <string>

namespace corvant {

struct FtdiDeviceId {
    std::uint16_t vendor = 0;
    std::uint16_t product = 0;
    std::string serial;    // empty: any
    unsigned channel = 0;  // 0: any; 1..4: interface A..D
};

// Why a device did not open, as the library's return code tells it.
enum class FtdiOpenResult { Opened, NoDevice, NoPermission, InUse, Failed };

class FtdiLink {
public:
    virtual ~FtdiLink() = default;
    // Why this build cannot reach FTDI chips at all; empty when it can.
    virtual std::string unavailable() const = 0;
    // ftdi_new, ftdi_set_interface (for a channel), ftdi_usb_open_desc.
    virtual FtdiOpenResult open(const FtdiDeviceId& device) = 0;
    // ftdi_set_bitmode: synchronous bit-bang with these outputs (1 = output), or
    // back to the UART (BITMODE_RESET).
    virtual bool setSyncBitbang(std::uint8_t outputs) = 0;
    virtual bool resetBitmode() = 0;
    // ftdi_set_baudrate, called after the bit mode is set.
    virtual bool setBaudrate(int baud) = 0;
    // ftdi_set_latency_timer, in milliseconds.
    virtual bool setLatencyTimer(std::uint8_t milliseconds) = 0;
    // ftdi_tcioflush: both directions' buffers emptied.
    virtual bool flush() = 0;
    // ftdi_write_data / ftdi_read_data: the bytes moved, or negative on failure;
    // a read may return any count from 0 to size.
    virtual int write(const std::uint8_t* data, int size) = 0;
    virtual int read(std::uint8_t* data, int size) = 0;
    // The bytes a read returns at once: those the last USB transfers brought
    // beyond what was asked (the context's readbuffer_remaining).
    virtual int buffered() const = 0;
    // ftdi_usb_close and ftdi_free; harmless when nothing is open.
    virtual void close() = 0;
    // ftdi_get_error_string: the library's words for the last failure.
    virtual std::string error() const = 0;
};

// This build's layer: libftdi1, or the refusal when it was built without it.
std::unique_ptr<FtdiLink> makeFtdiLink();

} // namespace corvant
