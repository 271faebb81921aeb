// The JDM programmer for the back-end contract on a stand-in kernel tty layer.

#include "FakePosixSystem.h"
#include "JdmRig.h"

#include "corvant/PosixSerialLines.h"

#include <sys/ioctl.h>

namespace corvant::test {
namespace {

class PosixJdmRig final : public JdmRig {
public:
    PosixJdmRig() : port_(os_.addSerialPort("/dev/ttyS0"))
    {
        // As another program might have left it: every line up.
        port_.modemBits = TIOCM_DTR | TIOCM_RTS;
        port_.breakOn = true;
    }
    std::optional<Levels> levels() override
    {
        return Levels{port_.breakOn ? 1 : 0, (port_.modemBits & TIOCM_DTR) ? 1 : 0, (port_.modemBits & TIOCM_RTS) ? 1 : 0};
    }

protected:
    SerialLinesOpener opener() override
    {
        return [this](const std::string& device, std::string& failure) {
            return PosixSerialLines::open(os_, device, failure);
        };
    }
    MonotonicClock clock() override
    {
        return [this] { return os_.seconds(); };
    }
    std::string device() const override { return "/dev/ttyS0"; }
    void setCts(bool high) override
    {
        port_.modemBits = high ? port_.modemBits | TIOCM_CTS : port_.modemBits & ~TIOCM_CTS;
    }

private:
    FakePosixSystem os_;
    FakeDevice& port_;
};

} // namespace

std::unique_ptr<Rig> makeJdmRig()
{
    return std::make_unique<PosixJdmRig>();
}

} // namespace corvant::test
