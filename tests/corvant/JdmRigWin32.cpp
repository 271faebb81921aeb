// The JDM programmer for the back-end contract on the recorded Win32 comm API.

#include "BackendContractRig.h"
#include "RecordedWin32Comm.h"

#include "corvant/JdmBackend.h"
#include "corvant/Win32SerialLines.h"

namespace corvant::test {
namespace {

class JdmRig final : public Rig {
public:
    JdmRig() : port_(comm_.addPort(L"\\\\.\\COM1"))
    {
        // As another program might have left it: every line up (the driver raised DTR and RTS).
        port_.breakOn = true;
    }
    std::string port() const override { return "COM1"; }
    BackendTable backends() override
    {
        return serialBackendEntries([this](const std::string& device, std::string& failure) {
            return Win32SerialLines::open(comm_, device, failure);
        });
    }
    std::optional<Levels> levels() override
    {
        return Levels{port_.breakOn ? 1 : 0, port_.dtr ? 1 : 0, port_.rts ? 1 : 0};
    }
    void setDataIn(PinInterface&, bool high) override
    {
        port_.modemStatus = high ? port_.modemStatus | MS_CTS_ON : port_.modemStatus & ~MS_CTS_ON;
    }
    std::vector<std::string> infoWords() const override { return {"JDM", "\\\\.\\COM1"}; }

private:
    RecordedWin32Comm comm_;
    RecordedPort& port_;
};

} // namespace

std::unique_ptr<Rig> makeJdmRig()
{
    return std::make_unique<JdmRig>();
}

} // namespace corvant::test
