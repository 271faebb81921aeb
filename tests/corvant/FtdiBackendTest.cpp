// The FTDI back end over a stand-in link that behaves as the chip does in
// synchronous bit-bang mode: each byte read back is the pins just before the
// byte was applied, reads come in pieces, and time passes per byte at a rate
// that depends on the baud.

#include "corvant/FtdiBackend.h"
#include "corvant/PinInterface.h"
#include "corvant/corvant.h"

#include <cmath>
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace corvant {
namespace {

struct Chip {
    std::vector<std::string> calls;
    FtdiOpenResult openResult = FtdiOpenResult::Opened;
    std::string unavailable;
    double now = 0;
    double statesPerBaud = 16;  // the chip's byte rate per baud asked
    double ceiling = 1e9;       // what the link carries, bytes per second
    double readSeconds = 0;     // what a read costs, the pins idle meanwhile
    double rateStep = 0;        // rates in steps of this, as a coarse divisor gives them
    int flatBaud = 0;           // at this baud the rate is the one 1.25x slower gives,
    int flatTimes = 0;          // this many times it is set: a measurement the host spoilt
    bool flat = false;
    int baud = 0;
    std::uint8_t outputs = 0;
    std::uint8_t pins = 0;
    std::uint8_t loopback = 0;  // an output mask whose level the inputs follow
    std::deque<std::uint8_t> back;
    std::vector<std::uint8_t> written;
    std::size_t mostInFlight = 0;
    int reads = 0;
    std::vector<std::pair<double, std::size_t>> sleeps;  // seconds, bytes in flight
    // Reads as libftdi makes them: a USB transfer brings every whole packet ready
    // (or a last short one) into the library's buffer, and reads take from it first.
    bool packets = false;
    std::deque<std::uint8_t> buffer;
    int transfers = 0;
    int transfersPastBufferedBytes = 0;  // the buffer held some, though not all asked

    std::uint8_t sampled() const
    {
        const bool high = (pins & loopback) != 0;
        return static_cast<std::uint8_t>(pins | (high ? ~outputs : 0));
    }
};

class FakeLink final : public FtdiLink {
public:
    explicit FakeLink(std::shared_ptr<Chip> chip) : chip_(std::move(chip)) {}
    std::string unavailable() const override { return chip_->unavailable; }
    FtdiOpenResult open(const FtdiDeviceId& id) override
    {
        chip_->calls.push_back("open " + std::to_string(id.vendor) + ":" + std::to_string(id.product) + ":" + id.serial
                               + ":" + std::to_string(id.channel));
        return chip_->openResult;
    }
    bool setSyncBitbang(std::uint8_t outputs) override
    {
        chip_->outputs = outputs;
        return log("syncbb " + std::to_string(outputs));
    }
    bool resetBitmode() override { return log("reset"); }
    bool setBaudrate(int baud) override
    {
        chip_->baud = baud;
        chip_->flat = baud == chip_->flatBaud && chip_->flatTimes-- > 0;
        return log("baud");
    }
    bool setLatencyTimer(std::uint8_t ms) override { return log("latency " + std::to_string(ms)); }
    bool flush() override { return log("flush"); }
    int write(const std::uint8_t* data, int size) override
    {
        if (chip_->calls.back() != "write")
            log("write");
        Chip& chip = *chip_;
        if (chip.back.empty())
            chip.now += 1e-3;  // the exchange's USB latency
        double rate = std::min(chip.statesPerBaud * (chip.baud ? chip.baud : 9600), chip.ceiling);
        if (chip.rateStep > 0)
            rate = std::max(1.0, std::round(rate / chip.rateStep)) * chip.rateStep;
        if (chip.flat)
            rate /= 1.25;
        for (int i = 0; i < size; ++i) {
            chip.back.push_back(chip.sampled());
            chip.pins = data[i] & chip.outputs;
            chip.written.push_back(chip.pins);
            chip.now += 1 / rate;
        }
        chip.mostInFlight = std::max(chip.mostInFlight, chip.back.size());
        return size;
    }
    int read(std::uint8_t* data, int size) override
    {
        if (chip_->packets)
            return readPackets(data, size);
        // Every other call finds only status bytes; the rest one packet at most.
        chip_->now += chip_->readSeconds;
        if (++chip_->reads % 2 == 0)
            return 0;
        const int count = std::min({size, static_cast<int>(chip_->back.size()), 62});
        for (int i = 0; i < count; ++i) {
            data[i] = chip_->back.front();
            chip_->back.pop_front();
        }
        return count;
    }
    int buffered() const override { return static_cast<int>(chip_->buffer.size()); }
    void close() override { log("close"); }
    std::string error() const override { return "stand-in error"; }

private:
    int readPackets(std::uint8_t* data, int size)
    {
        Chip& chip = *chip_;
        int got = 0;
        const auto take = [&] {
            for (; got < size && !chip.buffer.empty(); chip.buffer.pop_front())
                data[got++] = chip.buffer.front();
        };
        take();
        if (got == size)
            return got;
        ++chip.transfers;
        chip.transfersPastBufferedBytes += got > 0 ? 1 : 0;
        chip.now += 1e-3;
        const std::size_t brought = chip.back.size() < 62 ? chip.back.size() : chip.back.size() / 62 * 62;
        for (std::size_t i = 0; i < brought; ++i, chip.back.pop_front())
            chip.buffer.push_back(chip.back.front());
        take();
        return got;
    }

    bool log(std::string call)
    {
        chip_->calls.push_back(std::move(call));
        return true;
    }
    std::shared_ptr<Chip> chip_;
};

// MCLR=TXD (D0), PGC=RTS (D2), PGD=DTR (D4), data in=CTS (D3), PGM=DSR (D5).
constexpr const char* kPort = "FTDI:0403:6001:SER1,pgm=DSR";

struct Rig {
    std::shared_ptr<Chip> chip = std::make_shared<Chip>();
    PinInterface pins{BackendTable{entry()}, [chip = chip] { return chip->now; }};

    BackendEntry entry()
    {
        const auto shared = chip;
        FtdiHost host{.now = [shared] { return shared->now; },
                      .sleep = [shared](double seconds) {
                          shared->sleeps.emplace_back(seconds, shared->back.size());
                          shared->now += seconds;
                      }};
        return ftdiBackendEntry([shared] { return std::make_unique<FakeLink>(shared); }, host);
    }
};

TEST(FtdiBackend, RefusalsSayWhy)
{
    for (const auto& [result, reason] : std::initializer_list<std::pair<FtdiOpenResult, const char*>>{
             {FtdiOpenResult::NoDevice, "cannot open FTDI device 0403:6001:SER1: no such USB device"},
             {FtdiOpenResult::NoPermission, "ATTRS{idVendor}==\"0403\", ATTRS{idProduct}==\"6001\""},
             {FtdiOpenResult::InUse, "the USB device is in use"},
             {FtdiOpenResult::Failed, "cannot open FTDI device 0403:6001:SER1: stand-in error"}}) {
        Rig rig;
        rig.chip->openResult = result;
        EXPECT_FALSE(rig.pins.comInit(kPort));
        EXPECT_NE(std::string(rig.pins.info()).find(reason), std::string::npos) << rig.pins.info();
        EXPECT_EQ(rig.chip->calls.back(), "close") << "nothing stays claimed";
    }
    Rig rig;
    rig.chip->unavailable = "built without it";
    EXPECT_FALSE(rig.pins.comInit(kPort));
    EXPECT_NE(std::string(rig.pins.info()).find("built without it"), std::string::npos);
    EXPECT_FALSE(rig.pins.comInit("FTDI:0403:6001,pgc=XYZ"));
    EXPECT_NE(std::string(rig.pins.info()).find("not a pin name: pgc=XYZ"), std::string::npos);
}

TEST(FtdiBackend, OpensWithOutputsLowAndClosesTheSameWay)
{
    Rig rig;
    ASSERT_TRUE(rig.pins.comInit(kPort)) << rig.pins.info();
    const std::vector<std::string> opening{"open 1027:24577:SER1:0", "latency 1", "flush", "syncbb 53", "write", "baud"};
    ASSERT_GE(rig.chip->calls.size(), opening.size());
    EXPECT_TRUE(std::equal(opening.begin(), opening.end(), rig.chip->calls.begin()));
    EXPECT_EQ(rig.chip->written.front(), 0) << "the first state drives every output low";
    EXPECT_NE(std::string(rig.pins.info())
                  .find("FTDI synchronous bit-bang programmer on 0403:6001:SER1, low-voltage entry (MCLR=TXD, "
                        "PGM=DSR, PGC=RTS, PGD=DTR, data in=CTS), "),
              std::string::npos)
        << rig.pins.info();
    ASSERT_TRUE(rig.pins.write(1, 1, 1));
    EXPECT_EQ(rig.chip->pins, 0x35);
    ASSERT_TRUE(rig.pins.comClose());
    EXPECT_EQ(rig.chip->pins, 0);
    const std::vector<std::string> closing{"reset", "close"};
    EXPECT_TRUE(std::equal(closing.begin(), closing.end(), rig.chip->calls.end() - 2));
}

// Whatever the baud-to-rate multiplier, the rate lands just above 5 us per byte; reads
// that wait for USB frames while the pins idle make a burst through the reads slower
// than the byte clock, and the rate must still be the clock's.
TEST(FtdiBackend, TheBaudIsFoundByMeasuringThePins)
{
    for (const auto& [multiplier, readSeconds] :
         std::initializer_list<std::pair<double, double>>{{1.0, 0}, {4.0, 0}, {16.0, 0}, {32.0, 0}, {4.0, 1e-3}}) {
        SCOPED_TRACE(testing::Message() << "multiplier " << multiplier << ", read " << readSeconds << " s");
        Rig rig;
        rig.chip->statesPerBaud = multiplier;
        rig.chip->readSeconds = readSeconds;
        ASSERT_TRUE(rig.pins.comInit(kPort)) << rig.pins.info();
        const double rate = multiplier * rig.chip->baud;
        EXPECT_GT(rate, 165000);
        EXPECT_LT(rate, 1 / 5.5e-6);
        EXPECT_NE(std::string(rig.pins.info()).find(" pin states/s"), std::string::npos) << rig.pins.info();
    }
}

// Rates that step over the accepted ones: the rounds end above them, where every
// half clock would take two bytes, so the fastest rate found below is kept.
TEST(FtdiBackend, RatesSteppingOverTheWindowSettleOnTheSlowerSide)
{
    Rig rig;
    rig.chip->statesPerBaud = 1;
    rig.chip->rateStep = 37000;  // 148 000 or 185 000 near the target
    ASSERT_TRUE(rig.pins.comInit(kPort)) << rig.pins.info();
    EXPECT_NE(std::string(rig.pins.info()).find("148000 pin states/s"), std::string::npos) << rig.pins.info();
}

// Once the link kept up with a higher baud, a check that a spoilt measurement
// failed at a lower one does not send the baud down fourfold: every later check
// near the target failing so would end the rounds at a quarter of it.
TEST(FtdiBackend, ALinkThatKeptUpWithAHigherBaudIsNotDoubtedBelowIt)
{
    Rig rig;
    rig.chip->statesPerBaud = 4;  // 178 000 baud: 712 000 states/s, 44 500 baud near the target
    rig.chip->flatBaud = 55625;   // the check's faster baud at 44 500
    rig.chip->flatTimes = 100;
    ASSERT_TRUE(rig.pins.comInit(kPort)) << rig.pins.info();
    EXPECT_EQ(rig.chip->baud, 44500) << rig.pins.info();
}

// A link that cannot carry the target rate makes the measured rate its own, so
// it is not trusted; the baud comes down until the pins set the pace.
TEST(FtdiBackend, ARateTheLinkCapsIsNotTaken)
{
    Rig rig;
    rig.chip->statesPerBaud = 1;
    rig.chip->ceiling = 100000;
    ASSERT_TRUE(rig.pins.comInit(kPort)) << rig.pins.info();
    EXPECT_LT(rig.chip->baud * 1.5, 100000);

    Rig capped;
    capped.chip->statesPerBaud = 1e9;  // the link sets the pace at any baud
    EXPECT_FALSE(capped.pins.comInit(kPort));
    EXPECT_NE(std::string(capped.pins.info()).find("its pin byte rate could not be measured"), std::string::npos)
        << capped.pins.info();
    EXPECT_EQ(capped.chip->calls.back(), "close");
}

TEST(FtdiBackend, ReadsSampleThePinsAfterEveryEarlierMove)
{
    Rig rig;
    rig.chip->loopback = 0x10;  // data in follows PGD
    ASSERT_TRUE(rig.pins.comInit(kPort));
    std::uint8_t level = 9;
    for (bool data : {true, false, true}) {
        ASSERT_TRUE(rig.pins.write(0, data, 0));
        ASSERT_TRUE(rig.pins.read(&level));
        EXPECT_EQ(level, data ? 1 : 0);
    }
    std::vector<std::uint32_t> steps;
    for (int i = 0; i < 3000; ++i)
        for (std::uint32_t step : {CORVANT_STEP_WRITE | (i % 3 == 0 ? 2u : 0u) | 1u, CORVANT_STEP_WAIT | 1u,
                                   CORVANT_STEP_READ, CORVANT_STEP_WRITE, CORVANT_STEP_WAIT | 1u})
            steps.push_back(step);
    std::vector<std::uint8_t> levels(3000, 9);
    ASSERT_TRUE(rig.pins.stream(steps.data(), static_cast<std::uint32_t>(steps.size()), levels.data(), 3000));
    for (int i = 0; i < 3000; ++i)
        ASSERT_EQ(levels[i], i % 3 == 0 ? 1 : 0) << i;
    EXPECT_LE(rig.chip->mostInFlight, 384u) << "the chip's FIFOs hold no more";
}

// A read waits for USB only when the library holds nothing: one that asked for
// more than it holds would wait for further frames while the pins run dry. A
// stream ends on a whole packet, which the chip sends without waiting for its
// latency timer.
TEST(FtdiBackend, AStreamWaitsForUsbOnlyWithNothingBufferedAndEndsOnAWholePacket)
{
    Rig rig;
    rig.chip->packets = true;
    ASSERT_TRUE(rig.pins.comInit(kPort));
    std::vector<std::uint32_t> steps;
    for (int i = 0; i < 1000; ++i)
        for (std::uint32_t step : {CORVANT_STEP_WRITE | 1u, CORVANT_STEP_WAIT | 1u, CORVANT_STEP_READ, CORVANT_STEP_WRITE,
                                   CORVANT_STEP_WAIT | 1u})
            steps.push_back(step);
    std::vector<std::uint8_t> levels(1000, 9);
    const std::size_t before = rig.chip->written.size();
    rig.chip->transfers = 0;
    ASSERT_TRUE(rig.pins.stream(steps.data(), static_cast<std::uint32_t>(steps.size()), levels.data(), 1000));
    EXPECT_EQ(std::count(levels.begin(), levels.end(), 0), 1000);
    EXPECT_EQ(rig.chip->transfersPastBufferedBytes, 0);
    const std::size_t written = rig.chip->written.size() - before;
    EXPECT_EQ(written % 62, 0u) << written;
    EXPECT_LE(static_cast<std::size_t>(rig.chip->transfers), written / 62) << "a transfer brings a packet or more";
    EXPECT_TRUE(rig.chip->buffer.empty());
}

TEST(FtdiBackend, LongWaitsSleepOnceEveryByteIsBack)
{
    Rig rig;
    ASSERT_TRUE(rig.pins.comInit(kPort));
    rig.chip->sleeps.clear();
    const std::vector<std::uint32_t> steps{CORVANT_STEP_WRITE | 4u, CORVANT_STEP_WAIT | 40000u, CORVANT_STEP_WRITE,
                                           CORVANT_STEP_WAIT | 400u};
    ASSERT_TRUE(rig.pins.stream(steps.data(), 4, nullptr, 0));
    ASSERT_EQ(rig.chip->sleeps.size(), 2u);
    EXPECT_DOUBLE_EQ(rig.chip->sleeps[0].first, 0.2);
    EXPECT_EQ(rig.chip->sleeps[0].second, 0u);
    EXPECT_DOUBLE_EQ(rig.chip->sleeps[1].first, 2e-3);
    EXPECT_EQ(rig.chip->sleeps[1].second, 0u);
}

// One exchange per stretch between pauses: the bytes before a pause come back
// before it, the rest after it.
TEST(FtdiBackend, EachPauseEndsAnExchange)
{
    const auto chip = std::make_shared<Chip>();
    std::string failure;
    const auto wiring = parseFtdiPort(kPort, failure);
    ASSERT_TRUE(wiring) << failure;
    auto backend = FtdiBackend::open(std::make_unique<FakeLink>(chip), *wiring,
                                     {.now = [chip] { return chip->now; }, .sleep = [chip](double s) { chip->now += s; }},
                                     failure);
    ASSERT_TRUE(backend) << failure;
    auto& ftdi = static_cast<FtdiBackend&>(*backend);
    const std::uint64_t before = ftdi.exchanges();
    const std::vector<PinMove> moves{{.kind = PinMoveKind::DataClock, .clock = true},
                                     {.kind = PinMoveKind::Wait, .units = 1000},
                                     {.kind = PinMoveKind::DataClock},
                                     {.kind = PinMoveKind::Wait, .units = 1}};
    ASSERT_TRUE(ftdi.run(moves, {}));
    EXPECT_EQ(ftdi.exchanges() - before, 2u);
}

#ifndef VELMORA_TEST_HAVE_FTDI
TEST(FtdiBackend, ABuildWithoutLibftdiRefusesWithTheReason)
{
    PinInterface pins;
    EXPECT_FALSE(pins.comInit("FTDI:0403:6001"));
    EXPECT_NE(std::string(pins.info()).find("built without libftdi1"), std::string::npos) << pins.info();
}
#endif

} // namespace
} // namespace corvant
