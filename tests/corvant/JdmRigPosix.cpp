// The JDM programmer for the back-end contract on a stand-in kernel tty layer.

#include "FakePosixSystem.h"
#include "JdmRig.h"

#include "corvant/PosixSerialLines.h"

#include <sys/ioctl.h>

namespace corvant::test {
namespace {

class PosixJdmRig final : public JdmRig {
public:
    PosixJdmRig() : JdmRig("/dev/ttyS0"), port_(os_.addSerialPort(device()))
    {
        // As another program might have left it: every line up.
        port_.modemBits = TIOCM_DTR | TIOCM_RTS;
        port_.breakOn = true;
    }
    std::optional<Levels> levels() override
    {
        return Levels{port_.breakOn, (port_.modemBits & TIOCM_DTR) != 0, (port_.modemBits & TIOCM_RTS) != 0};
    }

protected:
    SerialLinesOpener opener() override { return openOn<PosixSerialLines>(os_); }
    MonotonicClock clock() override
    {
        return [this] { return os_.seconds(); };
    }
    void setCts(bool high) override { port_.modemBits = high ? port_.modemBits | TIOCM_CTS : port_.modemBits & ~TIOCM_CTS; }

private:
    FakePosixSystem os_;
    FakeDevice& port_;
};

} // namespace

std::unique_ptr<Rig> makeJdmRig() { return std::make_unique<PosixJdmRig>(); }

} // namespace corvant::test
