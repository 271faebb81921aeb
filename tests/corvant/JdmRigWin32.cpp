// The JDM programmer for the back-end contract on the recorded Win32 comm API.

#include "JdmRig.h"
#include "RecordedWin32Comm.h"

#include "corvant/Win32SerialLines.h"

namespace corvant::test {
namespace {

class Win32JdmRig final : public JdmRig {
    RecordedWin32Comm comm_;
    RecordedPort& port_;

public:
    // As another program might have left it: every line up (the driver raised DTR and RTS).
    Win32JdmRig() : JdmRig("\\\\.\\COM1"), port_(comm_.addPort(L"\\\\.\\COM1")) { port_.breakOn = true; }
    std::optional<Levels> levels() override { return Levels{port_.breakOn, port_.dtr, port_.rts}; }

protected:
    SerialLinesOpener opener() override { return openOn<Win32SerialLines>(comm_); }
    void setCts(bool high) override
    {
        port_.modemStatus = high ? port_.modemStatus | MS_CTS_ON : port_.modemStatus & ~MS_CTS_ON;
    }
};

} // namespace

std::unique_ptr<Rig> makeJdmRig() { return std::make_unique<Win32JdmRig>(); }

} // namespace corvant::test
