#include "FakeSerialLines.h"

namespace corvant::test {
namespace {

class FakeSerialLines final : public SerialLines {
public:
    explicit FakeSerialLines(FakeSerialPort& port) : port_(port) { port_.held = true; }
    // Like a descriptor at exit: the port is free again, its lines as they were.
    ~FakeSerialLines() override { port_.held = false; }

    bool setBreak(bool on) override
    {
        if (!call("break " + std::to_string(on)))
            return false;
        port_.breakOn = on;
        return true;
    }
    bool setDtrRts(bool dtr, bool rts) override
    {
        if (!call("lines " + std::to_string(dtr) + " " + std::to_string(rts)))
            return false;
        port_.dtr = dtr;
        port_.rts = rts;
        return true;
    }
    bool readCts(bool& high) override
    {
        if (!call("cts"))
            return false;
        high = port_.cts;
        return true;
    }
    bool close() override
    {
        port_.held = false;
        return call("close");
    }
    const std::string& device() const override { return port_.device; }
    const std::string& usbDriver() const override { return port_.usbDriver; }

private:
    bool call(const std::string& text)
    {
        port_.calls.push_back(text);
        if (port_.failNext.empty() || text.rfind(port_.failNext, 0) != 0)
            return true;
        port_.failNext.clear();
        return false;
    }

    FakeSerialPort& port_;
};

} // namespace

SerialLinesOpener fakeSerialOpener(FakeSerialPort& port)
{
    return [&port](const std::string& device, std::string& failure) -> std::unique_ptr<SerialLines> {
        if (device != port.device) {
            failure = "cannot open " + device;
            return nullptr;
        }
        if (port.held) {
            failure = device + " is in use by another program";
            return nullptr;
        }
        return std::make_unique<FakeSerialLines>(port);
    };
}

} // namespace corvant::test
