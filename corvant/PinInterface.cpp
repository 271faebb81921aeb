#include "corvant/PinInterface.h"

#include "corvant/CorvantTexts.h"
#include "corvant/JdmBackend.h"
#include "corvant/PortName.h"

namespace corvant {

PinInterface::PinInterface(SerialLinesOpener openSerial) : openSerial_(std::move(openSerial))
{
    describeNoPort({});
}

PinInterface::~PinInterface()
{
    // A program that exits without ComClose still gets Vpp switched off.
    closeBackend();
}

bool PinInterface::comInit(const char* port)
{
    std::lock_guard lock(mutex_);
    closeBackend();
    std::string failure;
    backend_ = openBackend(port, failure);
    if (!backend_) {
        describeNoPort(failure);
        return false;
    }
    info_ = std::string(texts::kLibrary) + ", " + backend_->describe();
    return true;
}

bool PinInterface::comClose()
{
    std::lock_guard lock(mutex_);
    const bool closed = closeBackend();
    describeNoPort({});
    return closed;
}

bool PinInterface::write(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock)
{
    std::lock_guard lock(mutex_);
    if (!backend_)
        return false;
    return backend_->write(vpp != 0, data != 0, clock != 0);
}

bool PinInterface::read(std::uint8_t* level)
{
    std::lock_guard lock(mutex_);
    if (!level || !backend_)
        return false;
    std::uint8_t sampled = 0;
    const bool ok = backend_->read(sampled);
    *level = ok && sampled != 0 ? 1 : 0;
    return ok;
}

const char* PinInterface::info()
{
    std::lock_guard lock(mutex_);
    return info_.c_str();
}

bool PinInterface::closeBackend()
{
    if (!backend_)
        return true;
    const bool closed = backend_->close();
    backend_.reset();
    return closed;
}

std::unique_ptr<PinBackend> PinInterface::openBackend(const char* port, std::string& failure)
{
    if (!port) {
        failure = texts::kNoPortName;
        return nullptr;
    }
    const auto name = parsePortName(port);
    if (!name) {
        failure = "\"" + std::string(port) + "\": " + std::string(texts::kBadPortName);
        return nullptr;
    }
    if (name->kind == PortKind::Simulated) {
        auto backend = openSimBackend(name->text, failure);
        if (!backend)
            failure = "\"" + name->text + "\": " + (failure.empty() ? std::string(texts::kUnknownSimPort) : failure);
        return backend;
    }
    const std::string device =
        name->kind == PortKind::ComNumber ? comPortDevice(name->comNumber) : name->text;
    auto lines = openSerial_(device, failure);
    if (!lines)
        return nullptr;
    return JdmBackend::open(std::move(lines), failure);
}

void PinInterface::describeNoPort(const std::string& failure)
{
    info_ = std::string(texts::kLibrary) + ", " + std::string(texts::kNoPortOpen);
    if (!failure.empty())
        info_ += " (last ComInit: " + failure + ")";
}

} // namespace corvant
