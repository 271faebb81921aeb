// The FTDI layer on libftdi1: the calls FtdiLink.h lists and nothing else, so a
// stand-in of the library answers all of them.

#include "corvant/FtdiLink.h"

#include <ftdi.h>

namespace corvant {
namespace {

class LibftdiLink final : public FtdiLink {
public:
    ~LibftdiLink() override { close(); }

    std::string unavailable() const override { return {}; }

    FtdiOpenResult open(const FtdiDeviceId& device) override
    {
        close();
        context_ = ftdi_new();
        if (!context_)
            return FtdiOpenResult::Failed;
        if (device.channel != 0
            && ftdi_set_interface(context_, static_cast<ftdi_interface>(INTERFACE_A + (device.channel - 1))) < 0)
            return FtdiOpenResult::Failed;
        const int result = ftdi_usb_open_desc(context_, device.vendor, device.product, nullptr,
                                              device.serial.empty() ? nullptr : device.serial.c_str());
        opened_ = result == 0;
        // libftdi 1.5: -3 no device; -4 libusb_open failed (a permission, in practice);
        // -8 the driver could not be detached for lack of permission; -5 claiming the
        // interface failed (another program, or ftdi_sio still attached); -11 detaching failed.
        switch (result) {
        case 0: return FtdiOpenResult::Opened;
        case -3: return FtdiOpenResult::NoDevice;
        case -4:
        case -8: return FtdiOpenResult::NoPermission;
        case -5:
        case -11: return FtdiOpenResult::InUse;
        default: return FtdiOpenResult::Failed;
        }
    }

    bool setSyncBitbang(std::uint8_t outputs) override
    {
        return context_ && ftdi_set_bitmode(context_, outputs, BITMODE_SYNCBB) == 0;
    }

    bool resetBitmode() override { return context_ && ftdi_set_bitmode(context_, 0, BITMODE_RESET) == 0; }

    bool setBaudrate(int baud) override { return context_ && ftdi_set_baudrate(context_, baud) == 0; }

    bool setLatencyTimer(std::uint8_t milliseconds) override
    {
        return context_ && ftdi_set_latency_timer(context_, milliseconds) == 0;
    }

    bool flush() override { return context_ && ftdi_tcioflush(context_) == 0; }

    int write(const std::uint8_t* data, int size) override
    {
        return context_ ? ftdi_write_data(context_, data, size) : -1;
    }

    int read(std::uint8_t* data, int size) override { return context_ ? ftdi_read_data(context_, data, size) : -1; }

    int buffered() const override { return context_ ? static_cast<int>(context_->readbuffer_remaining) : 0; }

    void close() override
    {
        if (!context_)
            return;
        if (opened_)
            ftdi_usb_close(context_);
        ftdi_free(context_);
        context_ = nullptr;
        opened_ = false;
    }

    std::string error() const override
    {
        const char* text = context_ ? ftdi_get_error_string(context_) : nullptr;
        return text ? text : "";
    }

private:
    ftdi_context* context_ = nullptr;
    bool opened_ = false;
};

} // namespace

std::unique_ptr<FtdiLink> makeFtdiLink()
{
    return std::make_unique<LibftdiLink>();
}

} // namespace corvant
