#include "corvant/JdmBackend.h"

#include "corvant/CorvantTexts.h"
#include "corvant/PortName.h"

namespace corvant {

std::unique_ptr<PinBackend> JdmBackend::open(std::unique_ptr<SerialLines> lines,
                                             std::string& failure)
{
    std::unique_ptr<JdmBackend> backend(new JdmBackend(std::move(lines)));
    // A freshly opened port usually raises DTR and RTS; start from all lines
    // low, as the signalling layer assumes.
    if (!backend->lines_->setBreak(false) || !backend->lines_->setDtrRts(false, false)) {
        failure = backend->device_ + std::string(texts::kNoModemLines);
        return nullptr;
    }
    return backend;
}

JdmBackend::JdmBackend(std::unique_ptr<SerialLines> lines)
    : lines_(std::move(lines)), device_(lines_->device()), usbDriver_(lines_->usbDriver())
{
}

JdmBackend::~JdmBackend()
{
    close();
}

bool JdmBackend::setVpp(bool on)
{
    return lines_ && lines_->setBreak(on);
}

bool JdmBackend::setDataClock(bool data, bool clock)
{
    return lines_ && lines_->setDtrRts(data, clock);
}

bool JdmBackend::read(std::uint8_t& level)
{
    level = 0;
    if (!lines_)
        return false;
    bool high = false;
    if (!lines_->readCts(high))
        return false;
    level = high ? 1 : 0;
    return true;
}

bool JdmBackend::close()
{
    if (!lines_)
        return true;
    const bool closed = lines_->close();
    lines_.reset();
    return closed;
}

std::string JdmBackend::describe() const
{
    std::string text = std::string(texts::kJdmProgrammer) + device_ + std::string(texts::kJdmWiring);
    if (!usbDriver_.empty())
        text += std::string(texts::kUsbAdapter) + usbDriver_ + std::string(texts::kUsbSlowPath);
    return text;
}

BackendTable serialBackendEntries(SerialLinesOpener open)
{
    auto openDevice = [open](const std::string& device, std::string& failure) -> std::unique_ptr<PinBackend> {
        auto lines = open(device, failure);
        if (!lines)
            return nullptr;
        return JdmBackend::open(std::move(lines), failure);
    };
    auto openComPort = [openDevice](const std::string& port, std::string& failure) -> std::unique_ptr<PinBackend> {
        const auto number = parseComPort(port);
        if (!number) {
            failure = "\"" + port + "\": " + std::string(texts::kBadPortName);
            return nullptr;
        }
        return openDevice(comPortDevice(*number), failure);
    };
    return {{PortKind::ComName, openComPort}, {PortKind::SerialDevice, openDevice}};
}

} // namespace corvant
