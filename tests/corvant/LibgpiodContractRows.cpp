// The contract's rigs on this build's own libgpiod layer (1.6 or 2.x) and its
// lookup, with the libgpiod stand-in linked in front of the library: the real
// chip layer drives the stand-in's simulated chip, found by label, link and path.

#include "BackendContractRig.h"

#include "corvant/GpioBackend.h"

extern "C" int velmora_gpiod_standin_line(unsigned offset);

namespace corvant::test {
namespace {

class LibgpiodRig final : public Rig {
public:
    explicit LibgpiodRig(std::string port) : port_(std::move(port)) {}
    std::string port() const override { return port_; }
    BackendTable backends() override { return {gpioBackendEntry(platformGpioChips())}; }
    // The levels the lines were last driven to on the stand-in's chip.
    std::optional<Levels> levels() override
    {
        return Levels{velmora_gpiod_standin_line(17), velmora_gpiod_standin_line(22), velmora_gpiod_standin_line(27)};
    }
    // Outside a read command the simulated chip leaves PGD alone, so data in follows data out.
    void setDataIn(PinInterface& pins, bool high) override { ASSERT_TRUE(pins.write(0, high, 0)); }
    std::vector<std::string> infoWords() const override { return {"GPIO programmer", port_.substr(5, port_.find(',') - 5)}; }

private:
    std::string port_;
};

RigMaker rig(const char* name, const char* port)
{
    return RigMaker{name, [port] { return std::make_unique<LibgpiodRig>(port); }};
}

INSTANTIATE_TEST_SUITE_P(
    ThisBuildsLibgpiod, BackendContract,
    ::testing::Values(rig("OpenDrainByLabel", "GPIO:pinctrl-rp1,vpp=17,pgc=27,pgd=22"),
                      rig("SeparateDataInByLink", "GPIO:/dev/gpiochip4,vpp=17,pgc=27,pgd=22,pgdin=23"),
                      rig("LowVoltageByNumber", "GPIO:0,mclr=17,pgm=24,pgc=27,pgd=22"),
                      rig("KeyEntryByName", "GPIO:gpiochip0,mclr=17,pgc=27,pgd=22")),
    rigName);

} // namespace
} // namespace corvant::test
