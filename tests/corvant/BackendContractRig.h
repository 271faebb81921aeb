#pragma once
// A back end on its stand-in hardware, for the contract every back end keeps.

#include "corvant/PinInterface.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace corvant::test {

struct Levels {
    int vpp = 0;
    int data = 0;
    int clock = 0;
    bool operator==(const Levels&) const = default;
};

inline void PrintTo(const Levels& levels, std::ostream* out)
{
    *out << "Vpp=" << levels.vpp << " PGD=" << levels.data << " PGC=" << levels.clock;
}

// One back end on its stand-in hardware.
class Rig {
public:
    virtual ~Rig() = default;
    virtual std::string port() const = 0;
    // A fresh PinInterface, as another program would have, on the same hardware.
    virtual std::unique_ptr<PinInterface> program() = 0;
    // The three outputs as the hardware has them; nullopt where they cannot be seen.
    virtual std::optional<Levels> levels() = 0;
    // Puts `high` on the data-in line the way this hardware allows.
    virtual void setDataIn(PinInterface& pins, bool high) = 0;
    // Texts GetDllInfo must contain: the back end and the port.
    virtual std::vector<std::string> infoWords() const = 0;
    // Whether the port can be held by one program only.
    virtual bool exclusive() const { return true; }
};

// The JDM programmer on this platform's serial layer, over its recorded system calls.
std::unique_ptr<Rig> makeJdmRig();

struct RigMaker {
    const char* name;
    std::function<std::unique_ptr<Rig>()> make;
};

inline void PrintTo(const RigMaker& maker, std::ostream* out)
{
    *out << maker.name;
}

// The contract suite (BackendContractTest.cpp); each test program instantiates
// it with the rigs it has.
class BackendContract : public ::testing::TestWithParam<RigMaker> {
protected:
    BackendContract() : rig(GetParam().make()), pins(rig->program()) {}

    void open() { ASSERT_TRUE(pins->comInit(rig->port().c_str())) << pins->info(); }

    std::unique_ptr<Rig> rig;
    std::unique_ptr<PinInterface> pins;
};

inline std::string rigName(const ::testing::TestParamInfo<RigMaker>& info)
{
    return info.param.name;
}

} // namespace corvant::test
