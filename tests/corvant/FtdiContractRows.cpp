// The contract's rigs on the FTDI programmer: the real back end and its libftdi1
// layer, with the libftdi1 stand-in linked in front of the library (an FT232R
// modelled in real time, a simulated chip on its pins), in each wiring. Beside the
// contract, what a block read through ProgrammerStream costs in USB exchanges.

#include "BackendContractRig.h"

#include <algorithm>
#include <cstdlib>

#include "FtdiStandIn.h"
#include "corvant/FtdiBackend.h"
#include "corvant/corvant.h"

namespace corvant::test {
namespace {

// Resolving a block's reads at once: a few exchanges per 64 bytes, where one per
// byte read would be 64 at the very least. A block is about 10,500 pin states, some
// 60 USB frames at the chosen rate, and the pump (never more in flight than the
// transmit FIFO holds) waits for about one frame each: 15 to 17 per 64 bytes. A
// loaded host can make the calibration read the byte clock a little fast, and then
// each short wait takes two bytes (longer waits, about 31 per 64 bytes), so the
// bound leaves room for that and still sits well below one per byte.
constexpr double kMaxExchangesPer64Bytes = 40;

struct FtdiWiringRow {
    const char* port;
    const char* board;  // VELMORA_FTDI_STANDIN_WIRING
    const char* chip;   // VELMORA_FTDI_STANDIN
    unsigned mclr, pgd, pgc;
};

constexpr FtdiWiringRow kHighVoltage{"FTDI:0403:6001,vpp=D6,pgc=D2,pgd=D4,pgdin=D3", "vpp=D6,pgc=D2,pgd=D4,pgdin=D3",
                                     "SIM:PIC18F452", 6, 4, 2};
constexpr FtdiWiringRow kLowVoltage{"FTDI:0403:6001:VM232R01,mclr=TXD,pgm=DSR,pgc=RTS,pgd=DTR,pgdin=CTS",
                                    "mclr=TXD,pgm=DSR,pgc=RTS,pgd=DTR,pgdin=CTS", "SIM:PIC18F4550", 0, 4, 2};
constexpr FtdiWiringRow kKeyEntry{"FTDI:0x0403:0x6001", "", "SIM:PIC18F45K22", 0, 4, 2};

class FtdiRig final : public Rig {
public:
    explicit FtdiRig(const FtdiWiringRow& row) : row_(row)
    {
        ::setenv("VELMORA_FTDI_STANDIN_WIRING", row.board, 1);
        ::setenv("VELMORA_FTDI_STANDIN", row.chip, 1);
    }
    std::string port() const override { return row_.port; }
    BackendTable backends() override { return {ftdiBackendEntry(makeFtdiLink)}; }
    std::optional<Levels> levels() override
    {
        const int pins = velmora_ftdi_standin_pins();
        if (pins < 0)
            return Levels{};
        const auto bit = [pins](unsigned pin) { return pins >> pin & 1; };
        return Levels{bit(row_.mclr), bit(row_.pgd), bit(row_.pgc)};
    }
    // Outside a read command the simulated chip leaves PGD alone, so data in follows data out.
    void setDataIn(PinInterface& pins, bool high) override { ASSERT_TRUE(pins.write(0, high, 0)); }
    std::vector<std::string> infoWords() const override { return {"FTDI", "0403:6001"}; }

private:
    FtdiWiringRow row_;
};

RigMaker rig(const char* name, const FtdiWiringRow& row)
{
    return RigMaker{name, [&row] { return std::make_unique<FtdiRig>(row); }};
}

INSTANTIATE_TEST_SUITE_P(StandInFt232r, BackendContract,
                         ::testing::Values(rig("HighVoltage", kHighVoltage), rig("LowVoltage", kLowVoltage),
                                           rig("KeyEntry", kKeyEntry)),
                         rigName);

// One ICSP clock with its waits: data set with the rising edge, latched on the falling one.
void clockOut(std::vector<std::uint32_t>& steps, bool data)
{
    steps.push_back(CORVANT_STEP_WRITE | 4u | (data ? 2u : 0u) | 1u);
    steps.push_back(CORVANT_STEP_WAIT | 1u);
    steps.push_back(CORVANT_STEP_WRITE | 4u | (data ? 2u : 0u));
    steps.push_back(CORVANT_STEP_WAIT | 1u);
}

// Table reads (1001, post-increment) of `count` bytes from address 0, as one stream.
std::vector<std::uint32_t> tableReads(unsigned count)
{
    std::vector<std::uint32_t> steps{CORVANT_STEP_WRITE, CORVANT_STEP_WAIT | 1u, CORVANT_STEP_WRITE | 4u,
                                     CORVANT_STEP_WAIT | 1u};
    for (unsigned byte = 0; byte < count; ++byte) {
        for (bool bit : {true, false, false, true})
            clockOut(steps, bit);
        for (int bit = 0; bit < 8; ++bit)
            clockOut(steps, false);
        steps.push_back(CORVANT_STEP_WAIT | 1u);  // P6 before the chip drives PGD
        for (int bit = 0; bit < 8; ++bit) {
            steps.push_back(CORVANT_STEP_WRITE | 4u | 2u | 1u);
            steps.push_back(CORVANT_STEP_WAIT | 1u);
            steps.push_back(CORVANT_STEP_READ);
            steps.push_back(CORVANT_STEP_WRITE | 4u | 2u);
            steps.push_back(CORVANT_STEP_WAIT | 1u);
        }
    }
    steps.push_back(CORVANT_STEP_WRITE);
    return steps;
}

TEST(FtdiStreamCost, A256ByteBlockReadTakesAFewExchangesPer64Bytes)
{
    FtdiRig board(kHighVoltage);
    PinInterface pins(board.backends());
    ASSERT_TRUE(pins.comInit(kHighVoltage.port)) << pins.info();
    constexpr unsigned kBytes = 256;
    const std::vector<std::uint32_t> steps = tableReads(kBytes);
    std::vector<std::uint8_t> levels(kBytes * 8, 7);
    velmora_ftdi_standin_reset_counts();
    ASSERT_TRUE(pins.stream(steps.data(), static_cast<std::uint32_t>(steps.size()), levels.data(),
                            static_cast<std::uint32_t>(levels.size())));
    const velmora_ftdi_standin_counts counts = velmora_ftdi_standin_counted();
    ASSERT_TRUE(pins.comClose());
    // An erased chip reads FFh everywhere.
    EXPECT_EQ(std::count(levels.begin(), levels.end(), 1), static_cast<long>(levels.size()));
    const double perBlock = static_cast<double>(counts.exchanges) * 64 / kBytes;
    RecordProperty("exchanges_per_64_bytes", std::to_string(perBlock));
    EXPECT_LE(perBlock, kMaxExchangesPer64Bytes) << perBlock << " per 64 bytes: " << counts.exchanges << " exchanges, " << counts.bytes_written
                                                 << " bytes written, " << counts.stalls << " stalls";
    EXPECT_EQ(velmora_ftdi_standin_violations(), 0u);
}

} // namespace
} // namespace corvant::test
