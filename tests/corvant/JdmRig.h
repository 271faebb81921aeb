#pragma once
// The JDM programmer for the contract on one stand-in of the layer under it: the
// system's recorded calls (JdmRigPosix.cpp, JdmRigWin32.cpp) or the serial lines
// themselves (BackendContractRows.cpp). Each stand-in says how it opens a port and
// moves CTS; the port name, the program and the words of its info are the same.

#include "BackendContractRig.h"

#include "corvant/JdmBackend.h"

#include <memory>
#include <string>
#include <vector>

namespace corvant::test {

class JdmRig : public Rig {
public:
    std::string port() const override { return "COM1"; }
    std::unique_ptr<PinInterface> program() override
    {
        return std::make_unique<PinInterface>(serialBackendEntries(opener()), clock());
    }
    void setDataIn(PinInterface&, bool high) override { setCts(high); }
    std::vector<std::string> infoWords() const override { return {"JDM", device()}; }

protected:
    virtual SerialLinesOpener opener() = 0;
    virtual MonotonicClock clock() { return steadyClock(); }
    virtual std::string device() const = 0;
    virtual void setCts(bool high) = 0;
};

} // namespace corvant::test
