// The contract's rigs on stand-ins that need no operating system: the serial
// programmer over the platform's recorded system layer and over its serial lines,
// the simulated programmer, and the GPIO programmer over its line layer, as
// libgpiod 1.6 (one drive per request) and 2.x (one request) present it, in every wiring.

#include "BackendContractRig.h"
#include "FakeGpioChips.h"
#include "FakeSerialLines.h"
#include "JdmRig.h"

#include "corvant/GpioBackend.h"

namespace corvant::test {
namespace {

class JdmLinesRig final : public JdmRig {
public:
    JdmLinesRig() : JdmRig(comPortDevice(1)) {}
    std::optional<Levels> levels() override { return Levels{port_.breakOn, port_.dtr, port_.rts}; }

protected:
    SerialLinesOpener opener() override { return fakeSerialOpener(port_); }
    void setCts(bool high) override { port_.cts = high; }

private:
    FakeSerialPort port_;
};

class SimRig final : public Rig {
public:
    std::string port() const override { return "SIM:PIC18F452"; }
    BackendTable backends() override { return {simBackendEntry()}; }
    // The simulated chip's lines live inside the back end.
    std::optional<Levels> levels() override { return std::nullopt; }
    // Outside a read command the chip leaves PGD alone, so data in follows data out.
    void setDataIn(PinInterface& pins, bool high) override { ASSERT_TRUE(pins.write(0, high, 0)); }
    std::vector<std::string> infoWords() const override { return {"imulated", "SIM:PIC18F452"}; }
    // Each program gets its own simulated chip.
    bool exclusive() const override { return false; }
};

enum class Wiring { OpenDrain, SeparateDataIn, LowVoltage, KeyEntry };

class GpioRig final : public Rig {
public:
    GpioRig(Wiring wiring, bool oneRequest) : wiring_(wiring), chips_(54, oneRequest)
    {
        for (unsigned offset : {17u, 24u, 27u, 22u})
            chips_.line(offset).driven = 1;
    }
    std::string port() const override
    {
        switch (wiring_) {
        case Wiring::OpenDrain: return "GPIO:gpiochip0,vpp=17,pgc=27,pgd=22";
        case Wiring::SeparateDataIn: return "GPIO:gpiochip0,vpp=17,pgc=27,pgd=22,pgdin=23";
        case Wiring::KeyEntry: return "GPIO:gpiochip0,mclr=17,pgc=27,pgd=22";
        default: return "GPIO:gpiochip0,mclr=17,pgm=24,pgc=27,pgd=22";
        }
    }
    BackendTable backends() override { return {gpioBackendEntry(chips_)}; }
    MonotonicClock clock() override
    {
        return [this] { return chips_.seconds(); };
    }
    std::optional<Levels> levels() override
    {
        // On the low-voltage wiring PGM goes with MCLR.
        if (wiring_ == Wiring::LowVoltage && chips_.line(24).driven != chips_.line(17).driven)
            return Levels{-1, -1, -1};
        return Levels{chips_.line(17).driven, chips_.line(22).driven, chips_.line(27).driven};
    }
    void setDataIn(PinInterface&, bool high) override
    {
        chips_.line(wiring_ == Wiring::SeparateDataIn ? 23 : 22).outside = high;
    }
    std::vector<std::string> infoWords() const override { return {"GPIO programmer", "gpiochip0"}; }

private:
    Wiring wiring_;
    FakeGpioChips chips_;
};

RigMaker gpio(const char* name, Wiring wiring, bool oneRequest)
{
    return RigMaker{name, [wiring, oneRequest] { return std::make_unique<GpioRig>(wiring, oneRequest); }};
}

INSTANTIATE_TEST_SUITE_P(EveryBackEnd, BackendContract,
                         ::testing::Values(RigMaker{"Jdm", makeJdmRig},
                                           RigMaker{"JdmOnSerialLines", [] { return std::make_unique<JdmLinesRig>(); }},
                                           RigMaker{"Sim", [] { return std::make_unique<SimRig>(); }},
                                           gpio("GpioOpenDrain", Wiring::OpenDrain, false),
                                           gpio("GpioSeparateDataIn", Wiring::SeparateDataIn, false),
                                           gpio("GpioLowVoltage", Wiring::LowVoltage, false),
                                           gpio("GpioKeyEntry", Wiring::KeyEntry, false),
                                           gpio("GpioOneRequestOpenDrain", Wiring::OpenDrain, true),
                                           gpio("GpioOneRequestSeparateDataIn", Wiring::SeparateDataIn, true),
                                           gpio("GpioOneRequestLowVoltage", Wiring::LowVoltage, true)),
                         rigName);

} // namespace
} // namespace corvant::test
