// The GPIO back end over its line layer: port strings, the requests it makes,
// the kernel calls per pin operation, active-low lines and every reason a port
// does not open.

#include "FakeGpioChips.h"

#include "corvant/GpioBackend.h"
#include "corvant/PinInterface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

namespace corvant::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr const char* kPort = "GPIO:gpiochip0,vpp=17,pgc=27,pgd=22";
constexpr const char* kSeparatePort = "GPIO:gpiochip0,vpp=17,pgc=27,pgd=22,pgdin=23";

TEST(GpioPort, AcceptsEveryWiringItDocuments)
{
    std::string failure;
    const auto plain = parseGpioPort(kPort, failure);
    ASSERT_TRUE(plain) << failure;
    EXPECT_EQ(plain->chip, "gpiochip0");
    EXPECT_EQ(plain->vpp.offset, 17u);
    EXPECT_EQ(plain->pgc.offset, 27u);
    EXPECT_EQ(plain->pgd.offset, 22u);
    EXPECT_FALSE(plain->pgdIn);
    EXPECT_FALSE(plain->vpp.activeLow || plain->pgc.activeLow || plain->pgd.activeLow);

    const auto inverted = parseGpioPort("gpio:/dev/gpiochip1,PGD=5,pgdin=6,VPP=4,pgc=0,Active-Low=vpp+pgdin", failure);
    ASSERT_TRUE(inverted) << failure;
    EXPECT_EQ(inverted->chip, "/dev/gpiochip1");
    EXPECT_TRUE(inverted->vpp.activeLow);
    EXPECT_FALSE(inverted->pgc.activeLow);
    ASSERT_TRUE(inverted->pgdIn);
    EXPECT_EQ(inverted->pgdIn->offset, 6u);
    EXPECT_TRUE(inverted->pgdIn->activeLow);
}

TEST(GpioPort, RefusesWhatIsNoWiringAndSaysWhy)
{
    for (const auto& [port, reason] : std::vector<std::pair<const char*, const char*>>{
             {"GPIO:", "no GPIO chip named"},
             {"GPIO:,vpp=1,pgc=2,pgd=3", "no GPIO chip named"},
             {"GPIO:gpiochip0,vpp=17,pgc=27", "no line given for pgd"},
             {"GPIO:gpiochip0,vpp=17,pgc=27,pgd=17", "line 17 is given for both vpp and pgd"},
             {"GPIO:gpiochip0,vpp=17,pgc=27,pgd=22,pgdin=27", "line 27 is given for both pgc and pgdin"},
             {"GPIO:gpiochip0,vpp=17,vpp=18,pgc=27,pgd=22", "option given twice: vpp"},
             {"GPIO:gpiochip0,vpp=x,pgc=27,pgd=22", "not a line number: vpp=x"},
             {"GPIO:gpiochip0,vpp=-1,pgc=27,pgd=22", "not a line number"},
             {"GPIO:gpiochip0,vpp=99999999999,pgc=27,pgd=22", "not a line number"},
             {"GPIO:gpiochip0,vpp=17,pgc=27,pgd=22,speed=1", "unknown option speed=1"},
             {"GPIO:gpiochip0,vpp=17,pgc=27,pgd=22,fast", "unknown option fast"},
             {"GPIO:gpiochip0,vpp=17,pgc=27,pgd=22,active-low=vdd", "active-low names no line role: vdd"},
             {"GPIO:gpiochip0,vpp=17,pgc=27,pgd=22,active-low=pgm", "active-low names a line that is not given: pgm"},
             {"GPIO:gpiochip0,vpp=17,mclr=18,pgm=24,pgc=27,pgd=22", "vpp= and mclr= exclude each other"},
             {"GPIO:gpiochip0,vpp=17,pgm=24,pgc=27,pgd=22", "needs mclr=<line> (MCLR at logic level) instead of vpp="},
             {"GPIO:gpiochip0,pgm=24,pgc=27,pgd=22", "pgm= needs mclr=<line>"},
             {"GPIO:gpiochip0,mclr=17,pgm=17,pgc=27,pgd=22", "line 17 is given for both mclr and pgm"},
             {"GPIO:gpiochip0,pgc=27,pgd=22", "no line given for vpp"},
             {"GPIO:gpiochip0,vpp=17,pgc=27,pgd=22,active-low=pgdin", "active-low names a line that is not given"},
             {"GPIO:gpiochip0,vpp=17,pgc=27,pgd=22,active-low=vpp,active-low=pgc", "option given twice"},
         }) {
        std::string failure;
        EXPECT_FALSE(parseGpioPort(port, failure)) << port;
        EXPECT_THAT(failure, HasSubstr(reason)) << port;
        EXPECT_THAT(failure, HasSubstr("GPIO:gpiochip0,vpp=17,pgc=27,pgd=22")) << "the example is shown: " << port;
    }
}

class GpioPins : public ::testing::Test {
protected:
    void open(const char* port)
    {
        ASSERT_TRUE(pins.comInit(port)) << pins.info();
        chips.clearCalls();
    }

    FakeGpioChips chips;
    PinInterface pins{BackendTable{gpioBackendEntry(chips)}, [this] { return chips.seconds(); }};
};

TEST_F(GpioPins, RequestsVppInactiveFirstAsVelmoraAndReleasesInactive)
{
    ASSERT_TRUE(pins.comInit("GPIO:gpiochip0,vpp=17,pgc=27,pgd=22,active-low=vpp"));
    ASSERT_GE(chips.calls().size(), 3u);
    EXPECT_EQ(chips.calls()[0], "open /dev/gpiochip0");
    EXPECT_EQ(chips.calls()[1], "request 17,27 push-pull 1,0"); // active-low Vpp starts high: off
    EXPECT_EQ(chips.calls()[2], "request 22 open-drain 0");
    EXPECT_EQ(chips.line(17).holder, "velmora");
    EXPECT_EQ(chips.line(22).drive, GpioDrive::OpenDrain);
    EXPECT_THAT(pins.info(), HasSubstr("GPIO programmer on gpiochip0 (Vpp=17 active-low, PGC=27, PGD=22 open-drain"));

    ASSERT_TRUE(pins.write(1, 1, 1));
    EXPECT_EQ(chips.line(17).driven, 0);
    chips.clearCalls();
    EXPECT_TRUE(pins.comClose());
    EXPECT_THAT(chips.calls(), ElementsAre("set 17=1 27=1", "set 22=0", "set 17=1 27=0", "release 22", "release 17,27",
                                           "close"));
    EXPECT_FALSE(chips.line(17).holder);
    EXPECT_EQ(chips.openChips(), 0);
}

TEST_F(GpioPins, SeparateDataInMakesOneKernelCallPerWriteAndPerRead)
{
    ASSERT_TRUE(pins.comInit(kSeparatePort));
    EXPECT_THAT(chips.calls(), ::testing::IsSupersetOf({"request 17,27,22 push-pull 0,0,0", "request 23 input"}));
    chips.clearCalls();
    ASSERT_TRUE(pins.write(1, 0, 0));
    ASSERT_TRUE(pins.write(1, 1, 1));
    ASSERT_TRUE(pins.write(0, 0, 0));
    std::uint8_t level = 0;
    chips.line(23).outside = 1;
    ASSERT_TRUE(pins.read(&level));
    EXPECT_EQ(level, 1);
    // Vpp leaves first: the write that drops it with the other lines takes two calls.
    EXPECT_THAT(chips.calls(), ElementsAre("set 17=1 27=0 22=0", "set 17=1 27=1 22=1", "set 17=0 27=1 22=1",
                                           "set 17=0 27=0 22=0", "get 23"));
}

TEST_F(GpioPins, OpenDrainDataMovesAfterVppRisesAndBeforeVppFalls)
{
    open(kPort);
    ASSERT_TRUE(pins.write(1, 0, 0));
    ASSERT_TRUE(pins.write(1, 1, 1));
    ASSERT_TRUE(pins.write(0, 0, 0));
    // A request whose lines keep their levels is left alone.
    EXPECT_THAT(chips.calls(), ElementsAre("set 17=1 27=0", "set 22=1", "set 17=1 27=1", "set 17=0 27=1", "set 22=0",
                                           "set 17=0 27=0"));
    // A released line the target pulls low reading low is the contract's (GpioOpenDrain).
}

TEST_F(GpioPins, ActiveLowLinesAreInvertedBothWays)
{
    open("GPIO:gpiochip0,vpp=17,pgc=27,pgd=22,pgdin=23,active-low=vpp+pgc+pgd+pgdin");
    ASSERT_TRUE(pins.write(1, 0, 1));
    EXPECT_THAT(chips.calls(), ElementsAre("set 17=1 27=0 22=1", "set 17=0 27=0 22=1"));
    chips.line(23).outside = 0;
    std::uint8_t level = 0;
    ASSERT_TRUE(pins.read(&level));
    EXPECT_EQ(level, 1);
}

TEST_F(GpioPins, AFailedSetFailsTheWriteAndTheNextOneTriesAgain)
{
    open(kSeparatePort);
    chips.failNext("set", EIO);
    EXPECT_FALSE(pins.write(0, 1, 0));
    EXPECT_TRUE(pins.write(0, 1, 0));
    chips.failNext("get", EIO);
    std::uint8_t level = 1;
    EXPECT_FALSE(pins.read(&level));
    EXPECT_EQ(level, 0);
}

TEST_F(GpioPins, LinesThatFailTheSpeedCheckAreReleased)
{
    chips.failNext("get", EIO);
    EXPECT_FALSE(pins.comInit(kPort));
    EXPECT_THAT(pins.info(), HasSubstr("the lines fail to answer a write or a read"));
    EXPECT_EQ(chips.openChips(), 0);
    EXPECT_FALSE(chips.line(17).holder);
}

// libgpiod 2.x: every line in one request, whatever its drive.
TEST(GpioPinsOnOneRequest, HoldEveryLineInOneRequestAndSetThemInOneCall)
{
    for (const auto& [port, request] : std::vector<std::pair<const char*, const char*>>{
             {kPort, "request 17,27 push-pull 0,0; 22 open-drain 0"},
             {kSeparatePort, "request 17,27,22 push-pull 0,0,0; 23 input"},
             {"GPIO:gpiochip0,mclr=17,pgm=24,pgc=27,pgd=22", "request 17,24,27 push-pull 0,0,0; 22 open-drain 0"}}) {
        FakeGpioChips chips(54, true);
        PinInterface pins{BackendTable{gpioBackendEntry(chips)}, [&chips] { return chips.seconds(); }};
        ASSERT_TRUE(pins.comInit(port)) << pins.info();
        EXPECT_EQ(chips.calls().at(1), request) << port;
        chips.clearCalls();
        ASSERT_TRUE(pins.write(1, 1, 0));
        ASSERT_TRUE(pins.write(1, 0, 1));
        ASSERT_TRUE(pins.write(1, 1, 1));
        std::uint8_t level = 0;
        ASSERT_TRUE(pins.read(&level));
        // Entry raises the data line first, then PGM where there is one, then Vpp; then one call per write.
        const bool pgm = std::string(port).find("pgm=") != std::string::npos;
        EXPECT_EQ(chips.calls().size(), pgm ? 6u : 5u) << port;
        EXPECT_EQ(chips.calls().back(), std::string("get ") + (std::string(port) == kSeparatePort ? "23" : "22"));
        EXPECT_TRUE(pins.comClose());
    }
}

// PGM-pin parts: PGC and PGD low, PGM high, MCLR high at least P15 (2 us) later;
// MCLR falls first, PGM after it (P18 >= 0). The traffic in between is unchanged.
TEST(GpioLowVoltageEntry, RaisesPgmBeforeMclrAndDropsItAfter)
{
    for (bool oneRequest : {false, true}) {
        FakeGpioChips chips(54, oneRequest);
        PinInterface pins{BackendTable{gpioBackendEntry(chips)}, [&chips] { return chips.seconds(); }};
        ASSERT_TRUE(pins.comInit("GPIO:gpiochip0,mclr=17,pgm=24,pgc=27,pgd=22")) << pins.info();
        EXPECT_THAT(pins.info(), HasSubstr("GPIO programmer on gpiochip0, low-voltage entry (MCLR=17, PGM=24, PGC=27, "
                                           "PGD=22 open-drain"));
        const std::string dataLow = oneRequest ? "set 17=0 24=0 27=0 22=0" : "set 22=0";
        ASSERT_TRUE(pins.write(0, 1, 0));
        chips.clearCalls();
        ASSERT_TRUE(pins.write(0, 0, 0));
        ASSERT_TRUE(pins.write(1, 0, 0));
        ASSERT_TRUE(pins.write(1, 1, 1));
        ASSERT_TRUE(pins.write(1, 0, 0));
        ASSERT_TRUE(pins.write(0, 0, 0));
        if (oneRequest)
            EXPECT_THAT(chips.calls(), ElementsAre(dataLow, "set 17=0 24=1 27=0 22=0", "set 17=1 24=1 27=0 22=0",
                                                   "set 17=1 24=1 27=1 22=1", "set 17=1 24=1 27=0 22=0",
                                                   "set 17=0 24=1 27=0 22=0", "set 17=0 24=0 27=0 22=0"));
        else
            EXPECT_THAT(chips.calls(), ElementsAre(dataLow, "set 17=0 24=1 27=0", "set 17=1 24=1 27=0", "set 22=1",
                                                   "set 17=1 24=1 27=1", "set 22=0", "set 17=1 24=1 27=0",
                                                   "set 17=0 24=1 27=0", "set 17=0 24=0 27=0"));
        const auto pgmUp = std::find(chips.calls().begin(), chips.calls().end(),
                                     oneRequest ? "set 17=0 24=1 27=0 22=0" : "set 17=0 24=1 27=0");
        ASSERT_NE(pgmUp, chips.calls().end());
        const auto at = static_cast<std::size_t>(pgmUp - chips.calls().begin());
        EXPECT_GE(chips.callTimes()[at + 1] - chips.callTimes()[at], std::chrono::microseconds(2)) << "P15";
    }
}

TEST(GpioLowVoltageEntry, ActiveLowPgmAndMclrAreInverted)
{
    FakeGpioChips chips;
    PinInterface pins{BackendTable{gpioBackendEntry(chips)}, [&chips] { return chips.seconds(); }};
    ASSERT_TRUE(pins.comInit("GPIO:gpiochip0,mclr=17,pgm=24,pgc=27,pgd=22,active-low=mclr+pgm")) << pins.info();
    EXPECT_EQ(chips.calls().at(1), "request 17,24,27 push-pull 1,1,0");
    ASSERT_TRUE(pins.write(1, 0, 0));
    EXPECT_EQ(chips.line(17).driven, 0);
    EXPECT_EQ(chips.line(24).driven, 0);
    EXPECT_TRUE(pins.comClose());
    EXPECT_EQ(chips.line(17).driven, 1);
    EXPECT_EQ(chips.line(24).driven, 1);
}

// Key-entry parts: MCLR at logic level and no PGM line; Vpp on and off move MCLR alone,
// as the key sequence's pulse and hold need.
TEST(GpioLowVoltageEntry, WithoutPgmOnlyMclrMoves)
{
    FakeGpioChips chips(54, true);
    PinInterface pins{BackendTable{gpioBackendEntry(chips)}, [&chips] { return chips.seconds(); }};
    ASSERT_TRUE(pins.comInit("GPIO:gpiochip0,mclr=17,pgc=27,pgd=22")) << pins.info();
    EXPECT_THAT(pins.info(), HasSubstr("GPIO programmer on gpiochip0, low-voltage entry by key sequence (MCLR=17, "
                                       "PGC=27, PGD=22 open-drain"));
    EXPECT_EQ(chips.calls().at(1), "request 17,27 push-pull 0,0; 22 open-drain 0");
    ASSERT_TRUE(pins.write(0, 0, 0));
    chips.clearCalls();
    ASSERT_TRUE(pins.write(1, 0, 0));
    ASSERT_TRUE(pins.write(0, 0, 0));
    ASSERT_TRUE(pins.write(1, 0, 0));
    EXPECT_THAT(chips.calls(), ElementsAre("set 17=1 27=0 22=0", "set 17=0 27=0 22=0", "set 17=1 27=0 22=0"));
    EXPECT_TRUE(pins.comClose());
    EXPECT_EQ(chips.line(17).driven, 0);
}

// A chip is found by path, number, name or label, and nothing but a GPIO chip is opened.
class GpioChipNaming : public ::testing::Test {
protected:
    GpioChipNaming()
    {
        chips.addDevice("/dev/gpiochip10", FakeGpioDevice{true, 10, "gpio-brcmstb@107d508500", {}});
        chips.addDevice("/dev/gpiochip4", FakeGpioDevice{false, 0, {}, "/dev/gpiochip0"});
        chips.addDevice("/dev/gpiochip9", FakeGpioDevice{false, 0, {}, "/dev/ttyS0"});
        chips.addDevice("/dev/ttyUSB0", FakeGpioDevice{false, 0, {}, {}});
    }

    std::vector<std::string> opened() const
    {
        std::vector<std::string> paths;
        for (const std::string& call : chips.calls())
            if (call.starts_with("open "))
                paths.push_back(call.substr(5));
        return paths;
    }

    FakeGpioChips chips;
    PinInterface pins{BackendTable{gpioBackendEntry(chips)}, [this] { return chips.seconds(); }};
};

TEST_F(GpioChipNaming, FindsTheChipByPathNumberNameLinkOrLabel)
{
    for (const std::string chip : {"/dev/gpiochip0", "0", "gpiochip0", "gpiochip4", "/dev/gpiochip4", "pinctrl-bcm2711"}) {
        chips.clearCalls();
        ASSERT_TRUE(pins.comInit(("GPIO:" + chip + ",vpp=17,pgc=27,pgd=22").c_str())) << chip << ": " << pins.info();
        EXPECT_EQ(opened().back(), "/dev/gpiochip0") << chip;
        EXPECT_THAT(pins.info(), HasSubstr("GPIO programmer on " + chip)) << chip;
        ASSERT_TRUE(pins.comClose());
    }
    EXPECT_THAT(pins.info(), HasSubstr("no port open"));
    chips.clearCalls();
    ASSERT_TRUE(pins.comInit("GPIO:pinctrl-bcm2711,vpp=17,pgc=27,pgd=22"));
    EXPECT_THAT(pins.info(), HasSubstr("GPIO programmer on pinctrl-bcm2711 at /dev/gpiochip0 (Vpp=17"));
    // Each chip is opened once for its label, however many names it has.
    EXPECT_THAT(opened(), ElementsAre("/dev/gpiochip0"));
    EXPECT_EQ(chips.openChips(), 1);
}

TEST_F(GpioChipNaming, OpensNothingButAGpioChip)
{
    for (const auto& [chip, reason] : std::vector<std::pair<std::string, const char*>>{
             {"ttyS0", "not a GPIO chip"},
             {"/dev/ttyS0", "not a GPIO chip"},
             {"gpiochip9", "not a GPIO chip"},  // a link to a serial port
             {"/dev/gpiochip9", "not a GPIO chip"},
             {"../dev/ttyS0", "no GPIO chip has this name, number, label or path"},
             {"gpiochip7", "no GPIO chip has this name"},
             {"3", "no GPIO chip has this name"},
             {"pinctrl-rp1", "no GPIO chip has this name"}}) {
        chips.clearCalls();
        EXPECT_FALSE(pins.comInit(("GPIO:" + chip + ",vpp=17,pgc=27,pgd=22").c_str())) << chip;
        EXPECT_THAT(pins.info(), HasSubstr("cannot open GPIO chip " + chip + ": " + reason)) << chip;
        for (const std::string& path : opened())
            EXPECT_TRUE(path == "/dev/gpiochip0" || path == "/dev/gpiochip10") << chip << " opened " << path;
        EXPECT_EQ(chips.openChips(), 0) << chip;
    }
}

struct OpenFailure {
    const char* name;
    const char* port;
    std::function<void(FakeGpioChips&)> arrange;
    const char* reason;
};

class GpioOpenFailure : public GpioPins, public ::testing::WithParamInterface<OpenFailure> {};

TEST_P(GpioOpenFailure, LeavesNothingHeldAndSaysWhy)
{
    GetParam().arrange(chips);
    EXPECT_FALSE(pins.comInit(GetParam().port));
    EXPECT_THAT(pins.info(), ::testing::StartsWith("corvant " VELMORA_VERSION ", no port open (last ComInit: "));
    EXPECT_THAT(pins.info(), HasSubstr(GetParam().reason));
    EXPECT_EQ(chips.openChips(), 0);
    for (unsigned offset : {17u, 22u, 23u, 27u})
        EXPECT_NE(chips.line(offset).holder, "velmora") << offset;
    EXPECT_FALSE(pins.write(0, 0, 0));
}

INSTANTIATE_TEST_SUITE_P(
    EveryReason, GpioOpenFailure,
    ::testing::Values(
        OpenFailure{"MissingChip", "GPIO:gpiochip9,vpp=17,pgc=27,pgd=22", [](FakeGpioChips&) {},
                    "cannot open GPIO chip gpiochip9: "}, // then the C library's text for ENOENT
        OpenFailure{"NoPermissionOnTheChip", kPort, [](FakeGpioChips& c) { c.failNext("open", EACCES); },
                    "gpio group, or give /dev/gpiochip* to the user's group with a udev rule"},
        OpenFailure{"NoPermissionOnALine", kPort, [](FakeGpioChips& c) { c.failNext("request", EPERM); },
                    "gpio group"},
        OpenFailure{"LineOutOfRange", "GPIO:gpiochip0,vpp=17,pgc=54,pgd=22", [](FakeGpioChips&) {},
                    "line 54 (pgc) is out of range: the chip has lines 0 to 53 on gpiochip0"},
        OpenFailure{"RepeatedLine", "GPIO:gpiochip0,vpp=17,pgc=17,pgd=22", [](FakeGpioChips&) {},
                    "line 17 is given for both vpp and pgc"},
        OpenFailure{"LineHeldByAnotherConsumer", kPort, [](FakeGpioChips& c) { c.line(27).holder = "sysfs"; },
                    "line 27 (pgc) on gpiochip0 is held by \"sysfs\""},
        OpenFailure{"LineHeldWithoutAName", kSeparatePort, [](FakeGpioChips& c) { c.line(23).holder = ""; },
                    "line 23 (pgdin) on gpiochip0 is held by another consumer"},
        OpenFailure{"DataLineTakenMeanwhile", kPort, [](FakeGpioChips& c) { c.failNext("request 22", EBUSY); },
                    "cannot request GPIO programmer on gpiochip0"},
        OpenFailure{"BuiltWithoutLibgpiod", kPort, [](FakeGpioChips& c) { c.setUnavailable("built without libgpiod"); },
                    "built without libgpiod"}),
    [](const ::testing::TestParamInfo<OpenFailure>& info) { return std::string(info.param.name); });

TEST(GpioPlatform, ThisBuildsChipsSayWhetherTheyCanWork)
{
    // The build decides: with libgpiod the layer is available, without it says why.
#if defined(VELMORA_TEST_HAVE_GPIOD)
    EXPECT_EQ(platformGpioChips().unavailable(), "");
#else
    EXPECT_THAT(platformGpioChips().unavailable(), HasSubstr("without libgpiod"));
#endif
}

} // namespace
} // namespace corvant::test
