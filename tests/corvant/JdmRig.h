#pragma once
// The JDM programmer for the contract on one stand-in of the layer under it: the
// system's recorded calls (JdmRigPosix.cpp, JdmRigWin32.cpp) or the serial lines
// themselves (BackendContractRows.cpp). Each stand-in says how it opens a port and
// moves CTS; the port name, the program and the words of its info are the same.

#include "BackendContractRig.h"

#include "corvant/JdmBackend.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace corvant::test {

// The system layer's own open on a stand-in system, as the back end's opener.
template <class Lines, class System>
SerialLinesOpener openOn(System& system)
{
    return [&system](const std::string& device, std::string& failure) { return Lines::open(system, device, failure); };
}

class JdmRig : public Rig {
public:
    explicit JdmRig(std::string device) : device_(std::move(device)) {}
    std::string port() const override { return "COM1"; }
    BackendTable backends() override { return serialBackendEntries(opener()); }
    void setDataIn(PinInterface&, bool high) override { setCts(high); }
    std::vector<std::string> infoWords() const override { return {"JDM", device_}; }
    const std::string& device() const { return device_; }

protected:
    virtual SerialLinesOpener opener() = 0;
    virtual void setCts(bool high) = 0;

private:
    std::string device_;
};

} // namespace corvant::test
