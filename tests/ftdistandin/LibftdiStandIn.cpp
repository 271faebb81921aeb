// libftdi1's calls as the FTDI back end makes them, answered by one modelled FT232R
// (Ft232rModel) with the simulated chip's board on its pins (FtdiBoard). Return codes
// and their meanings are libftdi 1.5's; the texts say the same in the stand-in's words.

#include <ftdi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

#include "FtdiBoard.h"
#include "FtdiStandIn.h"
#include "Ft232rModel.h"

namespace {

using namespace ftdistandin;

constexpr int kVendor = 0x0403;
constexpr int kProduct = 0x6001;
constexpr int kWriteTimeoutMs = 5000;
constexpr int kMaxChipBaud = 3000000;
// libftdi hands the chip four times the rate asked for once bit-bang mode is on.
constexpr int kBitbangBaudFactor = 4;

struct Adapter {
    ftdi_context* owner = nullptr;
    std::unique_ptr<FtdiBoard> board;
    std::unique_ptr<Ft232rModel> model;
    Timing timing;
};

std::mutex mutex;
velmora_ftdi_standin_counts counts{};
std::size_t violationCount = 0;
std::unique_ptr<Adapter> adapter;

const char* environment(const char* name, const char* fallback)
{
    const char* value = std::getenv(name);
    return value ? value : fallback;
}

double number(const char* name, double fallback)
{
    const char* value = std::getenv(name);
    return value ? std::strtod(value, nullptr) : fallback;
}

int fail(ftdi_context* ftdi, int code, const char* text)
{
    if (ftdi)
        ftdi->error_str = text;
    return code;
}

bool holds(const ftdi_context* ftdi)
{
    return ftdi && adapter && adapter->owner == ftdi;
}

void closeAdapter()
{
    std::string error;
    for (const std::string& violation : adapter->board->close(error)) {
        std::fprintf(stderr, "ftdi stand-in: violation %s\n", violation.c_str());
        ++violationCount;
    }
    if (!error.empty())
        std::fprintf(stderr, "ftdi stand-in: %s\n", error.c_str());
    if (std::getenv("VELMORA_FTDI_STANDIN_REPORT"))
        std::fprintf(stderr,
                     "ftdi stand-in: %llu exchanges, %llu bytes written, %llu bytes read, %llu stalls, "
                     "%.3f s waiting for frames, %.3f s for FIFO room\n",
                     static_cast<unsigned long long>(counts.exchanges),
                     static_cast<unsigned long long>(counts.bytes_written),
                     static_cast<unsigned long long>(counts.bytes_read), static_cast<unsigned long long>(counts.stalls),
                     static_cast<double>(counts.read_wait_ns) * 1e-9, static_cast<double>(counts.write_wait_ns) * 1e-9);
    adapter.reset();
}

} // namespace

extern "C" {

struct ftdi_context* ftdi_new(void)
{
    auto* ftdi = static_cast<ftdi_context*>(std::calloc(1, sizeof(ftdi_context)));
    if (!ftdi)
        return nullptr;
    ftdi->usb_read_timeout = kWriteTimeoutMs;
    ftdi->usb_write_timeout = kWriteTimeoutMs;
    ftdi->type = TYPE_BM;
    ftdi->baudrate = -1;
    ftdi->readbuffer_chunksize = 4096;
    ftdi->writebuffer_chunksize = 4096;
    ftdi->max_packet_size = 64;
    ftdi->index = INTERFACE_A;
    ftdi->bitbang_mode = 1;
    ftdi->error_str = "";
    ftdi->module_detach_mode = AUTO_DETACH_SIO_MODULE;
    return ftdi;
}

void ftdi_free(struct ftdi_context* ftdi)
{
    const std::lock_guard lock(mutex);
    if (holds(ftdi))
        closeAdapter();
    std::free(ftdi);
}

int ftdi_set_interface(struct ftdi_context* ftdi, enum ftdi_interface interface)
{
    const std::lock_guard lock(mutex);
    if (!ftdi)
        return -2;
    if (holds(ftdi))
        return fail(ftdi, -3, "the interface cannot change on an open device");
    if (interface < INTERFACE_ANY || interface > INTERFACE_D)
        return fail(ftdi, -1, "unknown interface");
    ftdi->index = interface == INTERFACE_ANY ? INTERFACE_A : interface;
    ftdi->interface = ftdi->index - INTERFACE_A;
    return 0;
}

int ftdi_usb_open_desc(struct ftdi_context* ftdi, int vendor, int product, const char* description,
                       const char* serial)
{
    const std::lock_guard lock(mutex);
    if (!ftdi)
        return -11;
    const std::string device = environment("VELMORA_FTDI_STANDIN_DEVICE", "");
    if (device == "absent" || vendor != kVendor || product != kProduct || description
        || (serial && std::strcmp(serial, environment("VELMORA_FTDI_STANDIN_SERIAL", "VM232R01")) != 0))
        return fail(ftdi, -3, "usb device not found");
    if (device == "denied")
        return fail(ftdi, -4, "usb_open() failed: access denied (insufficient permissions)");
    // An FT232R has one interface; another program or ftdi_sio may hold it.
    if (device == "busy" || adapter || ftdi->index != INTERFACE_A)
        return fail(ftdi, -5, "unable to claim usb device. Make sure the default FTDI driver is not in use");
    auto wiring = parseWiring(environment("VELMORA_FTDI_STANDIN_WIRING", ""));
    if (wiring)
        wiring->seriesResistor = std::getenv("VELMORA_FTDI_STANDIN_NO_RESISTOR") == nullptr;
    if (!wiring) {
        std::fprintf(stderr, "ftdi stand-in: VELMORA_FTDI_STANDIN_WIRING is no wiring\n");
        return fail(ftdi, -4, "usb_open() failed: the stand-in's wiring is unreadable");
    }
    std::string error;
    auto board = FtdiBoard::open(environment("VELMORA_FTDI_STANDIN", "SIM"), *wiring, error);
    if (!board) {
        std::fprintf(stderr, "ftdi stand-in: %s\n", error.c_str());
        return fail(ftdi, -4, "usb_open() failed: the stand-in's chip cannot be set up");
    }
    adapter = std::make_unique<Adapter>();
    adapter->owner = ftdi;
    adapter->timing = Timing{number("VELMORA_FTDI_STANDIN_RATE_FACTOR", 5), number("VELMORA_FTDI_STANDIN_JITTER", 0.15)};
    adapter->board = std::move(board);
    adapter->model = std::make_unique<Ft232rModel>(*adapter->board, adapter->timing, counts);
    adapter->model->setBaudrate(9600);
    ftdi->type = TYPE_R;
    ftdi->baudrate = 9600;
    ftdi->bitbang_enabled = 0;
    return 0;
}

int ftdi_usb_close(struct ftdi_context* ftdi)
{
    const std::lock_guard lock(mutex);
    if (!ftdi)
        return -3;
    if (holds(ftdi))
        closeAdapter();
    return 0;
}

int ftdi_set_bitmode(struct ftdi_context* ftdi, unsigned char bitmask, unsigned char mode)
{
    const std::lock_guard lock(mutex);
    if (!holds(ftdi))
        return fail(ftdi, -2, "USB device unavailable");
    if (mode == BITMODE_SYNCBB)
        adapter->model->setSynchronous(bitmask);
    else if (mode == BITMODE_RESET)
        adapter->model->setUart();
    else
        return fail(ftdi, -1, "unable to configure bitbang mode: the stand-in models synchronous bit-bang only");
    ftdi->bitbang_enabled = mode == BITMODE_RESET ? 0 : 1;
    ftdi->bitbang_mode = mode;
    return 0;
}

int ftdi_set_baudrate(struct ftdi_context* ftdi, int baudrate)
{
    const std::lock_guard lock(mutex);
    if (!holds(ftdi))
        return fail(ftdi, -3, "USB device unavailable");
    if (baudrate <= 0)
        return fail(ftdi, -1, "invalid baudrate: not above 0");
    const long long chipBaud = static_cast<long long>(baudrate) * (ftdi->bitbang_enabled ? kBitbangBaudFactor : 1);
    if (chipBaud > kMaxChipBaud)
        return fail(ftdi, -1, "unsupported baudrate (bit-bang baud rates are multiplied by 4)");
    // The byte clock follows the rate the chip was given, so setting it before the
    // bit mode leaves the chip four times slower.
    adapter->model->setBaudrate(static_cast<int>(chipBaud / kBitbangBaudFactor));
    ftdi->baudrate = baudrate;
    return 0;
}

int ftdi_set_latency_timer(struct ftdi_context* ftdi, unsigned char latency)
{
    const std::lock_guard lock(mutex);
    if (latency < 1)
        return fail(ftdi, -1, "latency out of range: 1 to 255");
    if (!holds(ftdi))
        return fail(ftdi, -3, "USB device unavailable");
    adapter->model->setLatency(std::chrono::milliseconds(latency));
    return 0;
}

int ftdi_tcioflush(struct ftdi_context* ftdi)
{
    const std::lock_guard lock(mutex);
    if (!holds(ftdi))
        return fail(ftdi, -3, "USB device unavailable");
    adapter->model->purge();
    ftdi->readbuffer_remaining = 0;
    return 0;
}

int ftdi_write_data(struct ftdi_context* ftdi, const unsigned char* buf, int size)
{
    const std::lock_guard lock(mutex);
    if (!holds(ftdi))
        return fail(ftdi, -666, "USB device unavailable");
    if (size <= 0)
        return 0;
    if (!adapter->model->synchronous()) {
        adapter->board->note("bytes written outside synchronous bit-bang mode go out as serial data on TXD");
        return size;
    }
    if (!adapter->model->write(buf, static_cast<std::size_t>(size), std::chrono::milliseconds(ftdi->usb_write_timeout)))
        return fail(ftdi, -1, "usb bulk write failed: timed out, the adapter took no data");
    return size;
}

int ftdi_read_data(struct ftdi_context* ftdi, unsigned char* buf, int size)
{
    const std::lock_guard lock(mutex);
    if (!holds(ftdi))
        return fail(ftdi, -666, "USB device unavailable");
    if (size <= 0)
        return 0;
    const auto got = adapter->model->read(buf, static_cast<std::size_t>(size));
    ftdi->readbuffer_remaining = static_cast<unsigned>(adapter->model->buffered());
    return static_cast<int>(got);
}

const char* ftdi_get_error_string(struct ftdi_context* ftdi)
{
    return ftdi ? ftdi->error_str : "";
}

__attribute__((visibility("default"))) struct velmora_ftdi_standin_counts velmora_ftdi_standin_counted(void)
{
    const std::lock_guard lock(mutex);
    return counts;
}

__attribute__((visibility("default"))) void velmora_ftdi_standin_reset_counts(void)
{
    const std::lock_guard lock(mutex);
    counts = {};
}

__attribute__((visibility("default"))) size_t velmora_ftdi_standin_violations(void)
{
    const std::lock_guard lock(mutex);
    return violationCount;
}

__attribute__((visibility("default"))) int velmora_ftdi_standin_pins(void)
{
    const std::lock_guard lock(mutex);
    return adapter ? adapter->model->pinsNow() : -1;
}

} // extern "C"
