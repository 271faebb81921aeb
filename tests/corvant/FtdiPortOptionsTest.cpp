#include "corvant/FtdiPortOptions.h"
#include "corvant/PortName.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace corvant {
namespace {

TEST(FtdiPortOptions, TheDeviceAndEveryPinAsGiven)
{
    std::string failure;
    const auto wiring =
        parseFtdiPort("ftdi:0x0403:6015:A9XyZ,VPP=d7,pgc=rts,pgd=D4,pgdin=cts,interface=b", failure);
    ASSERT_TRUE(wiring) << failure;
    EXPECT_EQ(wiring->vendor, 0x0403);
    EXPECT_EQ(wiring->product, 0x6015);
    EXPECT_EQ(wiring->serial, "A9XyZ");
    EXPECT_EQ(wiring->channel, 2u);
    EXPECT_FALSE(wiring->logicLevelMclr);
    EXPECT_EQ(std::tuple(wiring->vpp, wiring->pgc, wiring->pgd, wiring->pgdIn), std::tuple(7u, 2u, 4u, 3u));
    EXPECT_FALSE(wiring->pgm);
    EXPECT_EQ(ftdiDeviceName(*wiring), "0403:6015:A9XyZ");
}

TEST(FtdiPortOptions, WithoutPinsTheDefaultMapApplies)
{
    for (const char* port : {"FTDI:0403:6001", "FTDI:0403:6001,pgm=DSR", "FTDI:0403:6001,interface=A"}) {
        std::string failure;
        const auto wiring = parseFtdiPort(port, failure);
        ASSERT_TRUE(wiring) << port << ": " << failure;
        EXPECT_TRUE(wiring->logicLevelMclr) << port;
        EXPECT_EQ(std::tuple(wiring->vpp, wiring->pgc, wiring->pgd, wiring->pgdIn), std::tuple(0u, 2u, 4u, 3u)) << port;
        EXPECT_EQ(ftdiDeviceName(*wiring), "0403:6001");
    }
}

TEST(FtdiPortOptions, EveryFaultIsNamed)
{
    for (const auto& [port, reason] : std::initializer_list<std::pair<const char*, const char*>>{
             {"FTDI:403:6001", "not <vendor>:<product>[:<serial>] with 4 hex digits each: 403:6001"},
             {"FTDI:0403", "not <vendor>:<product>"},
             {"FTDI:0403:60g1", "not <vendor>:<product>"},
             {"FTDI:0403:6001:", "not <vendor>:<product>"},
             {"FTDI:0403:6001:A:B", "not <vendor>:<product>"},
             {"FTDI:0403:6001,speed=1", "unknown option speed=1"},
             {"FTDI:0403:6001,pgc", "unknown option pgc"},
             {"FTDI:0403:6001,mclr=TXD,pgc=RTS,pgd=DTR,pgdin=D8", "not a pin name: pgdin=D8"},
             {"FTDI:0403:6001,mclr=TXD,pgc=RTS,pgd=DTR,pgdin=CTS,pgc=RI", "option given twice: pgc"},
             {"FTDI:0403:6001,mclr=TXD,pgc=RTS,pgd=DTR,pgdin=TXD", "TXD is given for both mclr and pgdin"},
             {"FTDI:0403:6001,pgm=TXD", "TXD is given for both mclr and pgm"},
             {"FTDI:0403:6001,vpp=TXD,mclr=RI,pgc=RTS,pgd=DTR,pgdin=CTS", "vpp= and mclr= exclude each other"},
             {"FTDI:0403:6001,vpp=TXD,pgm=RI,pgc=RTS,pgd=DTR,pgdin=CTS", "pgm= enters at low voltage"},
             {"FTDI:0403:6001,vpp=TXD,pgc=RTS,pgd=DTR", "no pin given for pgdin"},
             {"FTDI:0403:6001,pgc=RTS", "no pin given for vpp"},
             {"FTDI:0403:6001,interface=E", "interface= takes A, B, C or D: E"}}) {
        std::string failure;
        EXPECT_FALSE(parseFtdiPort(port, failure)) << port;
        EXPECT_EQ(failure.find(reason), 0u) << port << ": " << failure;
        EXPECT_NE(failure.find("use FTDI:<vendor>:<product>"), std::string::npos) << port;
    }
}

TEST(FtdiPortOptions, TheEntryWiringFollowsVppMclrAndPgm)
{
    using velmora::EntryWiring;
    for (const auto& [port, wiring] : std::initializer_list<std::pair<const char*, EntryWiring>>{
             {"FTDI:0403:6001", EntryWiring::MclrOnly},
             {"FTDI:0403:6001,pgm=DSR", EntryWiring::PgmPin},
             {"FTDI:0403:6001,mclr=D0,pgm=D5,pgc=D2,pgd=D4,pgdin=D3", EntryWiring::PgmPin},
             {"FTDI:0403:6001,vpp=D0,pgc=D2,pgd=D4,pgdin=D3", EntryWiring::HighVoltage},
             {"FTDI:0403:6001,pgm=TXD", EntryWiring::HighVoltage}}) {
        EXPECT_EQ(entryWiring(port), wiring) << port;
        EXPECT_FALSE(vppIsUnregulated(port)) << port;
    }
}

} // namespace
} // namespace corvant
