// One contract every back end keeps, run against each through PinInterface (the
// exports' state): the serial programmer over the platform's recorded system layer, the
// simulated programmer, and the GPIO programmer over its line layer in both wirings.

#include "BackendContractRig.h"
#include "FakeGpioChips.h"

#include "corvant/GpioBackend.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

namespace corvant::test {
namespace {

using ::testing::HasSubstr;

class SimRig final : public Rig {
public:
    std::string port() const override { return "SIM:PIC18F452"; }
    std::unique_ptr<PinInterface> program() override
    {
        return std::make_unique<PinInterface>(BackendTable{simBackendEntry()});
    }
    // The simulated chip's lines live inside the back end.
    std::optional<Levels> levels() override { return std::nullopt; }
    // Outside a read command the chip leaves PGD alone, so data in follows data out.
    void setDataIn(PinInterface& pins, bool high) override { ASSERT_TRUE(pins.write(0, high, 0)); }
    std::vector<std::string> infoWords() const override { return {"imulated", "SIM:PIC18F452"}; }
    // Each program gets its own simulated chip.
    bool exclusive() const override { return false; }
};

class GpioRig final : public Rig {
public:
    explicit GpioRig(bool separateDataIn) : separateDataIn_(separateDataIn)
    {
        for (unsigned offset : {17u, 27u, 22u})
            chips_.line(offset).driven = 1;
    }
    std::string port() const override
    {
        return std::string("GPIO:gpiochip0,vpp=17,pgc=27,pgd=22") + (separateDataIn_ ? ",pgdin=23" : "");
    }
    std::unique_ptr<PinInterface> program() override
    {
        return std::make_unique<PinInterface>(BackendTable{gpioBackendEntry(chips_)},
                                              [this] { return chips_.seconds(); });
    }
    std::optional<Levels> levels() override
    {
        return Levels{chips_.line(17).driven, chips_.line(22).driven, chips_.line(27).driven};
    }
    void setDataIn(PinInterface&, bool high) override { chips_.line(separateDataIn_ ? 23 : 22).outside = high; }
    std::vector<std::string> infoWords() const override { return {"GPIO programmer", "gpiochip0"}; }

private:
    bool separateDataIn_;
    FakeGpioChips chips_;
};

struct RigMaker {
    const char* name;
    std::function<std::unique_ptr<Rig>()> make;
};

void PrintTo(const RigMaker& maker, std::ostream* out)
{
    *out << maker.name;
}

class BackendContract : public ::testing::TestWithParam<RigMaker> {
protected:
    BackendContract() : rig(GetParam().make()), pins(rig->program()) {}

    void open() { ASSERT_TRUE(pins->comInit(rig->port().c_str())) << pins->info(); }

    std::unique_ptr<Rig> rig;
    std::unique_ptr<PinInterface> pins;
};

TEST_P(BackendContract, LinesAreLowAfterComInitAndAfterComClose)
{
    open();
    std::uint8_t level = 1;
    EXPECT_TRUE(pins->read(&level));
    if (!rig->levels())
        GTEST_SKIP() << "the lines cannot be seen from outside";
    EXPECT_EQ(rig->levels(), Levels{});
    ASSERT_TRUE(pins->write(1, 1, 1));
    ASSERT_EQ(rig->levels(), (Levels{1, 1, 1}));
    EXPECT_TRUE(pins->comClose());
    EXPECT_EQ(rig->levels(), Levels{});
}

TEST_P(BackendContract, WriteTakesVppThenDataThenClock)
{
    open();
    if (!rig->levels())
        GTEST_SKIP() << "the lines cannot be seen from outside";
    for (const Levels& wanted : {Levels{1, 0, 0}, Levels{0, 1, 0}, Levels{0, 0, 1}, Levels{1, 1, 0}, Levels{0, 1, 1}}) {
        ASSERT_TRUE(pins->write(static_cast<std::uint8_t>(wanted.vpp), static_cast<std::uint8_t>(wanted.data),
                                static_cast<std::uint8_t>(wanted.clock)));
        EXPECT_EQ(rig->levels(), wanted);
    }
}

TEST_P(BackendContract, ReadReturnsTheDataInLevel)
{
    open();
    ASSERT_TRUE(pins->write(0, 1, 0)); // data released, as a read clock leaves it
    for (bool high : {true, false, true, false}) {
        rig->setDataIn(*pins, high);
        std::uint8_t level = 7;
        ASSERT_TRUE(pins->read(&level));
        EXPECT_EQ(level, high ? 1 : 0);
    }
}

TEST_P(BackendContract, EveryCallFailsWithoutAnOpenPortOrWithANullPointer)
{
    std::uint8_t level = 7;
    EXPECT_FALSE(pins->write(0, 0, 0));
    EXPECT_FALSE(pins->read(&level));
    EXPECT_FALSE(pins->comInit(nullptr));

    open();
    EXPECT_FALSE(pins->read(nullptr));
    EXPECT_TRUE(pins->write(0, 0, 0)); // still open after the refused read

    EXPECT_TRUE(pins->comClose());
    EXPECT_FALSE(pins->write(1, 0, 0));
    EXPECT_FALSE(pins->read(&level));
    EXPECT_FALSE(pins->read(nullptr));
    EXPECT_TRUE(pins->comClose());
    EXPECT_THAT(pins->info(), HasSubstr("no port open"));
}

TEST_P(BackendContract, ASecondOpenOfTheSamePortIsRefused)
{
    if (!rig->exclusive())
        GTEST_SKIP() << "every program has a port of its own";
    open();
    auto other = rig->program();
    EXPECT_FALSE(other->comInit(rig->port().c_str()));
    EXPECT_THAT(other->info(), HasSubstr("no port open"));
    EXPECT_TRUE(pins->write(0, 1, 0)); // the holder is undisturbed
    ASSERT_TRUE(pins->comClose());
    EXPECT_TRUE(other->comInit(rig->port().c_str())) << other->info();
}

TEST_P(BackendContract, InfoNamesTheBackEndThePortAndItsSpeed)
{
    open();
    const std::string info = pins->info();
    EXPECT_THAT(info, ::testing::StartsWith("corvant " VELMORA_VERSION ", "));
    for (const std::string& word : rig->infoWords())
        EXPECT_THAT(info, HasSubstr(word));
    EXPECT_THAT(info, HasSubstr("line change "));
    EXPECT_THAT(info, HasSubstr("a full read of a 32 KB chip takes about "));
}

INSTANTIATE_TEST_SUITE_P(
    EveryBackEnd, BackendContract,
    ::testing::Values(RigMaker{"Jdm", makeJdmRig},
                      RigMaker{"Sim", [] { return std::make_unique<SimRig>(); }},
                      RigMaker{"GpioOpenDrain", [] { return std::make_unique<GpioRig>(false); }},
                      RigMaker{"GpioSeparateDataIn", [] { return std::make_unique<GpioRig>(true); }}),
    [](const ::testing::TestParamInfo<RigMaker>& info) { return std::string(info.param.name); });

} // namespace
} // namespace corvant::test
