// The libftdi1 stand-in's adapter model on its own: the read-back's one-byte lag,
// a stall that holds the pins rather than dropping bytes, reads that wait for the
// latency timer and come back short only on a status packet,
// and the refusals the environment asks for. Pin D6 (DCD) is wired to nothing, so
// the simulated chip sees none of these bytes.

#include <ftdi.h>

#include <chrono>
#include <cstdlib>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "FtdiStandIn.h"

namespace {

constexpr unsigned char kD6 = 1u << 6;
// The default map's outputs (TXD, RTS, DTR) and D6.
constexpr unsigned char kOutputs = 0x01 | 0x04 | 0x10 | kD6;

class FtdiStandIn : public ::testing::Test {
protected:
    FtdiStandIn()
    {
        ::unsetenv("VELMORA_FTDI_STANDIN_DEVICE");
        ::setenv("VELMORA_FTDI_STANDIN", "SIM:PIC18F452", 1);
        ftdi_ = ftdi_new();
    }
    ~FtdiStandIn() override
    {
        ftdi_usb_close(ftdi_);
        ftdi_free(ftdi_);
    }

    void openSynchronous(unsigned char latency)
    {
        ASSERT_EQ(ftdi_usb_open_desc(ftdi_, 0x0403, 0x6001, nullptr, nullptr), 0) << ftdi_get_error_string(ftdi_);
        ASSERT_EQ(ftdi_set_bitmode(ftdi_, kOutputs, BITMODE_SYNCBB), 0);
        ASSERT_EQ(ftdi_set_baudrate(ftdi_, 50000), 0);
        ASSERT_EQ(ftdi_set_latency_timer(ftdi_, latency), 0);
        velmora_ftdi_standin_reset_counts();
    }

    // Loops as a caller must: a call returns short when a transfer brought only status.
    std::vector<unsigned char> readExactly(std::size_t size)
    {
        std::vector<unsigned char> got(size);
        std::size_t done = 0;
        for (int calls = 0; done < size && calls < 1000; ++calls) {
            const int n = ftdi_read_data(ftdi_, got.data() + done, static_cast<int>(size - done));
            EXPECT_GE(n, 0);
            done += static_cast<std::size_t>(n);
        }
        EXPECT_EQ(done, size);
        return got;
    }

    ftdi_context* ftdi_ = nullptr;
};

TEST_F(FtdiStandIn, EachByteReadsBackThePinsAsTheyWereBeforeIt)
{
    openSynchronous(1);
    const unsigned char bytes[] = {kD6, 0, kD6, kD6};
    ASSERT_EQ(ftdi_write_data(ftdi_, bytes, 4), 4);
    const std::vector<unsigned char> back = readExactly(4);
    EXPECT_EQ(back[0] & kD6, 0) << "before the first byte every output was low";
    EXPECT_EQ(back[1] & kD6, kD6);
    EXPECT_EQ(back[2] & kD6, 0);
    EXPECT_EQ(back[3] & kD6, kD6) << "the last byte shows only in a byte after it";
    EXPECT_EQ(velmora_ftdi_standin_pins() & kD6, kD6);
    EXPECT_EQ(back[3] & 0x08, 0) << "CTS reads PGD, which DTR holds low through the resistor";
}

TEST_F(FtdiStandIn, AHostThatDoesNotReadStallsTheClockAndLosesNothing)
{
    openSynchronous(1);
    ftdi_->usb_write_timeout = 50;
    // 256 bytes fill the chip-to-host FIFO, 128 more the host-to-chip one.
    std::vector<unsigned char> bytes(384);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = (i % 2 != 0) ? kD6 : 0;
    ASSERT_EQ(ftdi_write_data(ftdi_, bytes.data(), 384), 384);
    const unsigned char more = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ftdi_write_data(ftdi_, &more, 1), -1) << "nothing drains, so the write times out";
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_GE(velmora_ftdi_standin_counted().stalls, 1u);

    const std::vector<unsigned char> back = readExactly(384);
    for (std::size_t i = 1; i < back.size(); ++i)
        ASSERT_EQ(back[i] & kD6, bytes[i - 1] & kD6) << "read-back byte " << i;
    EXPECT_EQ(velmora_ftdi_standin_counted().bytes_written, 384u);
}

TEST_F(FtdiStandIn, APartPacketWaitsForTheLatencyTimerAndOnlyAStatusPacketCutsAReadShort)
{
    using std::chrono::milliseconds;
    openSynchronous(16);
    // Nothing to send: the latency timer's status packet ends the read empty, and
    // starts the timer again.
    unsigned char status[64];
    ASSERT_EQ(ftdi_read_data(ftdi_, status, 64), 0);
    const unsigned char bytes[10] = {};
    ASSERT_EQ(ftdi_write_data(ftdi_, bytes, 10), 10);
    auto start = std::chrono::steady_clock::now();
    unsigned char back[10];
    EXPECT_EQ(ftdi_read_data(ftdi_, back, 10), 10) << "the read waits as the transfer goes on";
    EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(12)) << "ten bytes are no full packet";

    // A full packet leaves at the next frame; the rest waits for the timer.
    const std::vector<unsigned char> many(100);
    ASSERT_EQ(ftdi_write_data(ftdi_, many.data(), 100), 100);
    std::this_thread::sleep_for(milliseconds(2));
    start = std::chrono::steady_clock::now();
    unsigned char packet[100];
    EXPECT_EQ(ftdi_read_data(ftdi_, packet, 62), 62);
    EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(8));
    EXPECT_EQ(ftdi_read_data(ftdi_, packet, 100), 38) << "the tail, then a status packet";
    EXPECT_GE(std::chrono::steady_clock::now() - start, milliseconds(12));
    EXPECT_GE(velmora_ftdi_standin_counted().exchanges, 4u);
}

TEST_F(FtdiStandIn, OpensOnlyWhatTheEnvironmentOffers)
{
    ::setenv("VELMORA_FTDI_STANDIN_SERIAL", "A9XYZ", 1);
    EXPECT_EQ(ftdi_usb_open_desc(ftdi_, 0x0403, 0x6001, nullptr, "OTHER"), -3);
    EXPECT_EQ(ftdi_usb_open_desc(ftdi_, 0x0403, 0x6010, nullptr, nullptr), -3);
    for (const auto& [device, code] : {std::pair{"absent", -3}, std::pair{"denied", -4}, std::pair{"busy", -5}}) {
        ::setenv("VELMORA_FTDI_STANDIN_DEVICE", device, 1);
        EXPECT_EQ(ftdi_usb_open_desc(ftdi_, 0x0403, 0x6001, nullptr, "A9XYZ"), code) << device;
        EXPECT_STRNE(ftdi_get_error_string(ftdi_), "");
    }
    ::unsetenv("VELMORA_FTDI_STANDIN_DEVICE");
    ASSERT_EQ(ftdi_usb_open_desc(ftdi_, 0x0403, 0x6001, nullptr, "A9XYZ"), 0);
    ::unsetenv("VELMORA_FTDI_STANDIN_SERIAL");

    ftdi_context* other = ftdi_new();
    EXPECT_EQ(ftdi_usb_open_desc(other, 0x0403, 0x6001, nullptr, nullptr), -5) << "held by the first";
    EXPECT_EQ(ftdi_write_data(other, &kD6, 1), -666);
    ftdi_free(other);
}

} // namespace
