// One contract every back end keeps, run against each through PinInterface (the
// exports' state). The rigs come from each test program: BackendContractRows.cpp
// (the serial, simulated and GPIO programmers on their stand-ins) and
// LibgpiodContractRows.cpp (the GPIO programmer on this build's libgpiod layer).

#include "BackendContractRig.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace corvant::test {
namespace {

using ::testing::HasSubstr;

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

TEST_P(BackendContract, VppLeavesFirstAndComesLast)
{
    open();
    if (!rig->levels())
        GTEST_SKIP() << "the lines cannot be seen from outside";
    const auto writeThrough = [this](Levels from, Levels to) {
        ASSERT_TRUE(pins->write(static_cast<std::uint8_t>(from.vpp), static_cast<std::uint8_t>(from.data),
                                static_cast<std::uint8_t>(from.clock)));
        moves.clear();
        ASSERT_TRUE(pins->write(static_cast<std::uint8_t>(to.vpp), static_cast<std::uint8_t>(to.data),
                                static_cast<std::uint8_t>(to.clock)));
    };
    writeThrough({0, 1, 1}, {1, 0, 0});
    EXPECT_EQ(moves, (std::vector<Levels>{{0, 0, 0}, {1, 0, 0}})) << "data and clock settle, then Vpp rises";
    writeThrough({1, 0, 0}, {0, 1, 1});
    EXPECT_EQ(moves, (std::vector<Levels>{{0, 0, 0}, {0, 1, 1}})) << "Vpp falls before anything moves";
    writeThrough({1, 0, 0}, {1, 1, 0});
    EXPECT_EQ(moves, (std::vector<Levels>{{1, 1, 0}})) << "under a steady Vpp, one move";

    ASSERT_TRUE(pins->write(1, 1, 1));
    moves.clear();
    EXPECT_TRUE(pins->comClose());
    EXPECT_EQ(moves, (std::vector<Levels>{{0, 1, 1}, {0, 0, 0}})) << "closing drops Vpp first";
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

TEST_P(BackendContract, TheOpenPortSaysWhetherItTakesStreams)
{
    EXPECT_FALSE(pins->stream(nullptr, 0, nullptr, 0)) << "no port open";
    open();
    EXPECT_EQ(pins->stream(nullptr, 0, nullptr, 0), rig->streams());
}

TEST_P(BackendContract, EveryCallFailsWithoutAnOpenPortOrWithANullPointer)
{
    std::uint8_t level = 7;
    EXPECT_FALSE(pins->write(0, 0, 0));
    EXPECT_FALSE(pins->read(&level));
    EXPECT_EQ(level, 7); // a refused read leaves the caller's byte alone
    EXPECT_FALSE(pins->comInit(nullptr));
    EXPECT_THAT(pins->info(), HasSubstr("no port name given"));

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
    auto other = program();
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

} // namespace
} // namespace corvant::test
