// The JDM programmer for the back-end contract on a stand-in kernel tty layer.

#include "BackendContractRig.h"
#include "FakePosixSystem.h"

#include "corvant/JdmBackend.h"
#include "corvant/PosixSerialLines.h"

#include <sys/ioctl.h>

namespace corvant::test {
namespace {

class JdmRig final : public Rig {
public:
    JdmRig() : port_(os_.addSerialPort("/dev/ttyS0"))
    {
        // As another program might have left it: every line up.
        port_.modemBits = TIOCM_DTR | TIOCM_RTS;
        port_.breakOn = true;
    }
    std::string port() const override { return "COM1"; }
    BackendTable backends() override
    {
        return serialBackendEntries([this](const std::string& device, std::string& failure) {
            return PosixSerialLines::open(os_, device, failure);
        });
    }
    MonotonicClock clock() override
    {
        return [this] { return os_.seconds(); };
    }
    std::optional<Levels> levels() override
    {
        return Levels{port_.breakOn ? 1 : 0, (port_.modemBits & TIOCM_DTR) ? 1 : 0, (port_.modemBits & TIOCM_RTS) ? 1 : 0};
    }
    void setDataIn(PinInterface&, bool high) override
    {
        port_.modemBits = high ? port_.modemBits | TIOCM_CTS : port_.modemBits & ~TIOCM_CTS;
    }
    std::vector<std::string> infoWords() const override { return {"JDM", "/dev/ttyS0"}; }

private:
    FakePosixSystem os_;
    FakeDevice& port_;
};

} // namespace

std::unique_ptr<Rig> makeJdmRig()
{
    return std::make_unique<JdmRig>();
}

} // namespace corvant::test
