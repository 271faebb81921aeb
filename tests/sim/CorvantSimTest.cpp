// The SIM programmer end to end: the real libcorvant exports, the real delay library
// and the signalling layer's imported driver, against a simulated PIC18F4550 on the
// monotonic counter, with its memory kept in a HEX file between two ComInit calls.

#include <chrono>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "corvant/corvant.h"
#include "pendrel/pendrel.h"
#include "signalling/HW_Cntrl.h"
#include "signalling/PinDriver.h"
#include "corvant/sim/ChipImageFile.h"
#include "corvant/sim/SimFiles.h"
#include "tests/sim/PublishedSequences.h"
#include "tests/support/TempFolder.h"

namespace velmora::test {
namespace {

std::string fileText(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

class CorvantSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(DelayInit(), 0);
        setPinDriver(nullptr);
        resetPinState();
    }
    void TearDown() override
    {
        ComClose();
        resetPinState();
    }
};

TEST_F(CorvantSim, ProgramsAChipThatKeepsItsContentsBetweenRuns)
{
    TempPath image(".hex");
    TempPath trace(".txt");
    const std::string port = "SIM:pic18f4550,image=" + image.string() + ",trace=" + trace.string();
    const std::vector<std::uint8_t> code {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0xF0, 0x11, 0x22, 0x33, 0x44,
                                          0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x00,
                                          0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08};

    ASSERT_NE(ComInit(port.c_str()), 0);
    EXPECT_NE(std::string(GetDllInfo()).find("simulated PIC18F4550"), std::string::npos) << GetDllInfo();
    ASSERT_TRUE(EnterProgMode());
    const auto devid = published::readBytes(0x3FFFFE, 2);
    ASSERT_TRUE(published::bulkEraseBufferFamily(0x3F8F));
    ASSERT_TRUE(published::writeBuffer(0x0400, code));
    int polls = 0;
    const auto writeStart = std::chrono::steady_clock::now();
    ASSERT_TRUE(published::writeEeprom(0x80, 0x5A, false, false, polls));
    const auto writeTime = std::chrono::steady_clock::now() - writeStart;
    ASSERT_TRUE(published::writeConfigByte(0x300001, 0x08, false));
    ASSERT_TRUE(ExitProgMode());
    ASSERT_NE(ComClose(), 0);

    ASSERT_EQ(devid.size(), 2U);
    EXPECT_EQ(devid[1], 0x12);
    EXPECT_EQ(devid[0] & 0xE0, 0x00);
    // A busy machine may stretch one poll past the whole write, so the poll count proves
    // nothing; the time until WR reads clear can only grow.
    EXPECT_GE(polls, 1);
    EXPECT_GE(writeTime, std::chrono::milliseconds(4)) << "WR stays set for the real 4 ms write time";

    const std::string traceText = fileText(trace.path());
    EXPECT_NE(traceText.find("# velmora simulated chip trace: PIC18F4550"), std::string::npos);
    EXPECT_NE(traceText.find(" 1111 "), std::string::npos);
    EXPECT_EQ(traceText.find(" ! "), std::string::npos) << "no violation on real timing:\n" << traceText;

    ASSERT_NE(ComInit(port.c_str()), 0);
    ASSERT_TRUE(EnterProgMode());
    const auto codeBack = published::readBytes(0x0400, code.size());
    const auto eepromBack = published::readEeprom(0x80, false);
    const auto configBack = published::readByte(0x300001);
    ASSERT_TRUE(ExitProgMode());
    ASSERT_NE(ComClose(), 0);
    EXPECT_EQ(codeBack, code);
    EXPECT_EQ(eepromBack, 0x5A);
    EXPECT_EQ(configBack, 0x08);
}

// The trace's time of the first line ending in `event`, in microseconds.
double traceTime(const std::string& trace, const std::string& event)
{
    const auto end = trace.find(" " + event + "\n");
    if (end == std::string::npos)
        return -1;
    const auto start = trace.rfind('\n', end) + 1;
    return std::stod(trace.substr(start, end - start));
}

TEST_F(CorvantSim, LowVoltageEntryRaisesPgmBeforeMclrAndDropsItAfter)
{
    TempPath trace(".txt");
    const std::string port = "SIM:PIC18F4550,lvp,trace=" + trace.string();
    ASSERT_NE(ComInit(port.c_str()), 0);
    EXPECT_NE(std::string(GetDllInfo()).find("low-voltage entry"), std::string::npos) << GetDllInfo();
    ASSERT_TRUE(EnterProgMode());
    const auto devid = published::readBytes(0x3FFFFE, 2);
    ASSERT_TRUE(ExitProgMode());
    ASSERT_NE(ComClose(), 0);
    ASSERT_EQ(devid.size(), 2U);
    EXPECT_EQ(devid[1], 0x12);

    const std::string text = fileText(trace.path());
    EXPECT_EQ(text.find(" ! "), std::string::npos) << text;
    EXPECT_EQ(text.find("VPP"), std::string::npos) << text;
    const double pgmOn = traceTime(text, "PGM on");
    const double lvpOn = traceTime(text, "LVP on");
    const double lvpOff = traceTime(text, "LVP off");
    const double pgmOff = traceTime(text, "PGM off");
    ASSERT_GE(pgmOn, 0) << text;
    EXPECT_GE(lvpOn - pgmOn, 2.0) << "P15";
    EXPECT_GT(lvpOff, lvpOn);
    EXPECT_GE(pgmOff, lvpOff) << "P18: MCLR falls first";
}

TEST_F(CorvantSim, LowVoltageEntryWithoutAPgmPinMovesOnlyMclrAndTakesTheKey)
{
    struct Case {
        const char* chip;
        std::uint32_t keyDelayUnits;   // P18 1 ms (K22), P19 4 ms (J 2X/4X), 5 us units
        std::uint32_t holdUnits;       // P15 and P12, 400 us
        std::uint8_t devid2;
    };
    for (const Case c : {Case {"PIC18F45K22", 200, 80, 0x55}, Case {"PIC18F46J50", 801, 81, 0x4C}}) {
        SCOPED_TRACE(c.chip);
        TempPath trace(".txt");
        const std::string port = std::string("SIM:") + c.chip + ",lvp,trace=" + trace.string();
        ASSERT_NE(ComInit(port.c_str()), 0);
        EXPECT_NE(std::string(GetDllInfo()).find("entry key"), std::string::npos) << GetDllInfo();
        ASSERT_TRUE(published::enterByKey(published::kEntryKey, true, c.keyDelayUnits, c.holdUnits));
        const auto devid = published::readBytes(0x3FFFFE, 2);
        ASSERT_TRUE(ExitProgMode());
        ASSERT_NE(ComClose(), 0);
        ASSERT_EQ(devid.size(), 2U);
        EXPECT_EQ(devid[1], c.devid2);

        const std::string text = fileText(trace.path());
        EXPECT_EQ(text.find(" ! "), std::string::npos) << text;
        EXPECT_EQ(text.find("PGM"), std::string::npos) << text;
        EXPECT_GE(traceTime(text, "LVP on"), 0) << text;
    }
}

TEST_F(CorvantSim, WithoutLvpTheSimPortPutsVihhOnAJPartsMclrAndTheChipSaysSo)
{
    TempPath trace(".txt");
    const std::string port = "SIM:PIC18F46J50,trace=" + trace.string();
    ASSERT_NE(ComInit(port.c_str()), 0) << "refusing a J part is the program's guard, not the port's";
    ASSERT_TRUE(EnterProgMode());
    ASSERT_TRUE(ExitProgMode());
    ASSERT_NE(ComClose(), 0);
    const std::string text = fileText(trace.path());
    EXPECT_NE(text.find("! VIHH high-voltage-on-mclr"), std::string::npos) << text;
}

TEST_F(CorvantSim, RefusesUnknownChipsAndImagesItCannotRead)
{
    EXPECT_EQ(ComInit("SIM:PIC18F999"), 0);
    TempPath image(".hex");
    const std::string broken = ":0400000080EF00F000\n:00000001FF\n";
    std::ofstream(image.path(), std::ios::binary) << broken;
    const std::string port = "SIM:PIC18F452,image=" + image.string();
    EXPECT_EQ(ComInit(port.c_str()), 0);
    EXPECT_EQ(fileText(image.path()), broken) << "a file that was not read is never overwritten";

    // Too large to read: refused before anything could be saved over it.
    std::filesystem::resize_file(image.path(), sim::HeldImageFile::kSizeLimit + 1);
    EXPECT_EQ(ComInit(port.c_str()), 0);
    EXPECT_EQ(std::filesystem::file_size(image.path()), sim::HeldImageFile::kSizeLimit + 1);
    EXPECT_NE(std::string(GetDllInfo()).find("larger than an image file can be"), std::string::npos) << GetDllInfo();

#if defined(_WIN32)
    const std::string notAFile = std::filesystem::temp_directory_path().string();
#else
    const std::string notAFile = "/dev/zero";
#endif
    EXPECT_EQ(ComInit(("SIM:PIC18F452,image=" + notAFile).c_str()), 0);
    EXPECT_NE(std::string(GetDllInfo()).find(notAFile + " is not a regular file"), std::string::npos) << GetDllInfo();
    EXPECT_NE(ComInit("SIM"), 0);
}

TEST_F(CorvantSim, AnImageThatIsAlsoTheTraceIsRefused)
{
    TempPath image(".hex");
    TempPath link(".hex");
    const std::string kept = ":0100000000FF\n:00000001FF\n";
    std::ofstream(image.path(), std::ios::binary) << kept;
    std::filesystem::create_hard_link(image.path(), link.path());
    const std::string dotted = (image.path().parent_path() / "." / image.path().filename()).string();
    for (const std::string& trace : {image.string(), dotted, link.string()}) {
        EXPECT_EQ(ComInit(("SIM:PIC18F452,image=" + image.string() + ",trace=" + trace).c_str()), 0) << trace;
        EXPECT_NE(std::string(GetDllInfo()).find("image= and trace= name the same file"), std::string::npos)
            << GetDllInfo();
        EXPECT_EQ(fileText(image.path()), kept) << trace;
    }
    // Not yet there: the image is created by the port, and the trace still names it.
    TempPath fresh(".hex");
    EXPECT_EQ(ComInit(("SIM:PIC18F452,trace=" + fresh.string() + ",image=" + fresh.string()).c_str()), 0);
    EXPECT_FALSE(std::filesystem::exists(fresh.path())) << "a refused port leaves nothing behind";
}

TEST_F(CorvantSim, AFailedTraceOrImageWriteFailsTheClose)
{
    ASSERT_NE(ComInit("SIM:PIC18F452,trace=/dev/full"), 0);
    EXPECT_EQ(ComClose(), 0);
    TempPath image(".hex");
    const std::string port = "SIM:PIC18F452,image=" + image.string();
    ASSERT_NE(ComInit(port.c_str()), 0);
    std::filesystem::remove(image.path());
    std::filesystem::create_directory(image.path());   // the rename over it must fail
    EXPECT_EQ(ComClose(), 0);
    std::filesystem::remove(image.path());
}

} // namespace
} // namespace velmora::test
