#include "corvant/FtdiBackend.h"

#include "corvant/CorvantTexts.h"
#include "corvant/FtdiPins.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <thread>

namespace corvant {
namespace {

// Written and not yet read back, at most: the FT232R's 256-byte transmit FIFO
// (FT232R datasheet, section 4.2). With no more in flight the chip never finds that FIFO full,
// so its byte clock never stalls and a burst's duration is the clock's own; the
// 128-byte receive FIFO fills first and holds the write until the pins take a byte.
constexpr std::size_t kMostInFlight = 256;
// Below this much room the pump reads first: a USB write per few bytes would cost
// more than the pins gain.
constexpr std::size_t kLeastWrite = 64;
// A read that has to wait for USB asks for one packet's data at most, so it
// returns with the first transfer that brings any: asking for more would wait for
// further frames with the host blocked and the pins running dry. The packets that
// transfer brings beyond it stay in the library's buffer, and the pump takes them
// before it writes again, so the room it writes into is all there is.
constexpr std::size_t kPacketData = 62;
// The latency timer releases a partial IN packet. During a stream the packets fill
// (62 bytes take about 0.35 ms at the chosen rate), so only the tail of each
// exchange waits for it: 1 ms, the lowest the chip takes, makes that tail shortest.
// FTDI advise against 1 ms for a continuous serial stream, where it makes a short
// packet every frame; an exchange here ends once, so the frame cost is paid once.
constexpr std::uint8_t kLatencyMilliseconds = 1;

// The byte period. Almost every wait the ICSP layer asks for is one 5 us half
// clock, and each one costs a whole number of byte periods, so the period is
// chosen a little above 5 us: one byte per half clock, at about 178 k states/s,
// under a third of what full-speed USB carries, so the pins never stall for want
// of data. Padding counts periods at the measured average shortened by
// kJitterMargin, so a 5 us wait stays at least 5 us for periods up to 10 % short
// of the average; the FT232R's irregular single periods (its bit-bang erratum) can
// be shorter still. The chip's own minimums for a half clock are below 2 us, far
// under one byte, and a held wait of many bytes (the 100 us hold, the 1 ms write
// pulse) loses to one irregular byte a share of a period its margin covers.
constexpr double kTargetStatesPerSecond = 178000;
constexpr double kJitterMargin = 1.1;
// Rates taken as they are: up to the fastest whose shortened period still covers
// 5 us with one byte, down to about 5 % slower than the target.
constexpr double kFastestAccepted = 1 / (kFtdiUnitSeconds * kJitterMargin) * 0.999;
constexpr double kSlowestAccepted = 170000;
constexpr int kCalibrationRounds = 8;
// The byte clock is timed over a write that pushes bytes through a full receive
// FIFO: the first write fills it (and blocks until the pins took the bytes beyond
// it), the second then takes one byte per tick until it returns with the FIFO full
// again, so the clock ran throughout and the bytes it took are the ticks. Timing a
// burst through the reads instead would count the USB frames and any moment the
// host came late, when the clock idles with nothing queued. Both writes stay within
// kMostInFlight, so the clock never stalls either.
constexpr std::size_t kReceiveFifo = 128;
constexpr std::size_t kFillBytes = kReceiveFifo + 32;
constexpr std::size_t kTimedBytes = kMostInFlight - kFillBytes;
// A host late to see the second write return makes that measurement slow, one late
// to see the first return makes it fast, without bound (the second write may find
// its room already made). The upper quartile of a few is kept: above the middle,
// as a rate a little high only lengthens the waits and one too low would cut
// them, yet clear of the few a loaded host made absurdly fast, which would double
// every padding.
constexpr int kRateMeasurements = 16;
constexpr int kFasterThanKept = kRateMeasurements / 4;
// A rate is the pins' own only when the link keeps up with a faster one: at 1.25x
// the baud the rate must rise by 1.15x at least, or the link (USB, the host) set
// it. The pump carries at most kMostInFlight bytes per USB frame (about 256 k
// states/s), so a faster baud than this would be capped by the pump itself.
constexpr double kFasterBaud = 1.25;
constexpr double kFasterRateAtLeast = 1.15;
constexpr int kExchangeProbes = 8;
// A link that moves no byte for this long has failed.
constexpr double kNoProgressSeconds = 2;

void sleepOnSteadyClock(double seconds)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_until(until);
}

std::string openFailure(FtdiOpenResult result, const FtdiWiring& wiring, const std::string& error)
{
    const std::string device = std::string(texts::kFtdiCannotOpen) + ftdiDeviceName(wiring);
    char vendor[5], product[5];
    std::snprintf(vendor, sizeof vendor, "%04x", wiring.vendor);
    std::snprintf(product, sizeof product, "%04x", wiring.product);
    switch (result) {
    case FtdiOpenResult::NoDevice: return device + std::string(texts::kFtdiNoDevice);
    case FtdiOpenResult::NoPermission:
        return device + std::string(texts::kFtdiNoPermission) + vendor + std::string(texts::kFtdiRuleProduct) + product
            + std::string(texts::kFtdiRuleEnd);
    case FtdiOpenResult::InUse: return device + std::string(texts::kFtdiInUse);
    default: return device + (error.empty() ? std::string() : ": " + error);
    }
}

std::uint8_t mask(unsigned bit)
{
    return static_cast<std::uint8_t>(1U << bit);
}

std::string pinText(const char* role, unsigned bit)
{
    return std::string(role) + "=" + std::string(ftdiPinName(bit));
}

} // namespace

std::unique_ptr<PinBackend> FtdiBackend::open(std::unique_ptr<FtdiLink> link, const FtdiWiring& wiring, FtdiHost host,
                                              std::string& failure)
{
    const std::string unavailable = link->unavailable();
    if (!unavailable.empty()) {
        failure = unavailable;
        return nullptr;
    }
    const FtdiOpenResult opened =
        link->open({.vendor = wiring.vendor, .product = wiring.product, .serial = wiring.serial, .channel = wiring.channel});
    if (opened != FtdiOpenResult::Opened) {
        failure = openFailure(opened, wiring, link->error());
        link->close();
        return nullptr;
    }
    std::unique_ptr<FtdiBackend> backend(new FtdiBackend(std::move(link), wiring, std::move(host)));
    if (!backend->setUp(failure))
        return nullptr;
    return backend;
}

FtdiBackend::FtdiBackend(std::unique_ptr<FtdiLink> link, FtdiWiring wiring, FtdiHost host)
    : link_(std::move(link)), wiring_(std::move(wiring)), host_(std::move(host))
{
    if (!host_.sleep)
        host_.sleep = sleepOnSteadyClock;
    masks_ = {.vpp = mask(wiring_.vpp),
              .pgc = mask(wiring_.pgc),
              .pgd = mask(wiring_.pgd),
              .pgdIn = mask(wiring_.pgdIn),
              .pgm = wiring_.pgm ? mask(*wiring_.pgm) : std::uint8_t{0}};
    open_ = true;
}

FtdiBackend::~FtdiBackend()
{
    close();
}

bool FtdiBackend::setUp(std::string& failure)
{
    const std::uint8_t outputs = masks_.vpp | masks_.pgc | masks_.pgd | masks_.pgm;
    // The outputs' first state is all low, written as soon as the mode drives them;
    // before that the UART's idle levels are outside the program's reach.
    const std::array<std::uint8_t, 2> low{0, 0};
    std::array<std::uint8_t, 2> back{};
    const bool ready = link_->setLatencyTimer(kLatencyMilliseconds) && link_->flush()
        && link_->setSyncBitbang(outputs) && pump(low, back);
    if (!ready) {
        failure = std::string(texts::kFtdiCannotSetUp) + ftdiDeviceName(wiring_) + ": " + link_->error();
        close();
        return false;
    }
    pins_ = 0;
    if (!calibrate(failure)) {
        close();
        return false;
    }
    return true;
}

std::optional<double> FtdiBackend::secondsToPump(std::size_t count)
{
    const std::vector<std::uint8_t> bytes(count, pins_);
    std::vector<std::uint8_t> back(count);
    const double start = host_.now();
    if (!pump(bytes, back))
        return std::nullopt;
    return host_.now() - start;
}

std::optional<double> FtdiBackend::clockRate()
{
    std::array<std::uint8_t, kFillBytes + kTimedBytes> bytes{};
    bytes.fill(pins_);
    std::array<std::uint8_t, kFillBytes + kTimedBytes> back{};
    if (!pump(std::span(bytes).first(kFillBytes), {}))
        return std::nullopt;
    const double start = host_.now();
    if (!pump(std::span(bytes).subspan(kFillBytes), {}))
        return std::nullopt;
    const double seconds = host_.now() - start;
    if (!pump({}, back))
        return std::nullopt;
    return seconds > 0 ? static_cast<double>(kTimedBytes) / seconds : 0;
}

// 0 when the rate is not the pins' own (the link did not keep up); nullopt when the link failed.
// A link that kept up with a higher baud keeps up with this one, so then the rate
// is taken without the check, whose noise alone could fail it.
std::optional<double> FtdiBackend::statesPerSecondAt(int baud, bool linkKeepsUp)
{
    const auto rateAt = [this](int asked) -> std::optional<double> {
        if (!link_->setBaudrate(asked))
            return std::nullopt;
        std::array<double, kRateMeasurements> rates{};
        for (double& rate : rates) {
            const auto measured = clockRate();
            if (!measured)
                return std::nullopt;
            rate = *measured;
        }
        const auto kept = rates.end() - 1 - kFasterThanKept;
        std::nth_element(rates.begin(), kept, rates.end());
        return *kept;
    };
    if (linkKeepsUp)
        return rateAt(baud);
    const auto faster = rateAt(static_cast<int>(std::lround(baud * kFasterBaud)));
    const auto rate = faster ? rateAt(baud) : std::nullopt;
    if (!rate)
        return std::nullopt;
    return *faster >= *rate * kFasterRateAtLeast ? *rate : 0;
}

// The multiplier between baud and byte rate differs between chips and library
// versions (1x, 4x and 16x the baud are all reported), so the baud is found by measuring: the target rate
// asked first, then corrected by what the pins did.
bool FtdiBackend::calibrate(std::string& failure)
{
    const std::string device = std::string(texts::kFtdiCannotSetUp) + ftdiDeviceName(wiring_);
    const auto linkFailed = [&] {
        failure = device + ": " + link_->error();
        return false;
    };
    int baud = static_cast<int>(kTargetStatesPerSecond);
    calibration_ = {};
    // Above the accepted rates every half clock takes two bytes, below them one a
    // little longer: when the rounds end above (a loaded host measures fast), the
    // fastest round found below is taken instead.
    FtdiCalibration slower;
    int keptUpWith = 0;  // the highest baud whose rate was shown to be the pins' own
    for (int round = 0; round < kCalibrationRounds && baud > 0; ++round) {
        const auto rate = statesPerSecondAt(baud, baud <= keptUpWith);
        if (!rate)
            return linkFailed();
        if (*rate == 0) {
            baud /= 4;
            continue;
        }
        keptUpWith = std::max(keptUpWith, baud);
        calibration_.baud = baud;
        calibration_.statesPerSecond = *rate;
        if (*rate >= kSlowestAccepted && *rate <= kFastestAccepted)
            break;
        if (*rate < kSlowestAccepted && *rate > slower.statesPerSecond)
            slower = calibration_;
        baud = static_cast<int>(std::lround(baud * kTargetStatesPerSecond / *rate));
    }
    if (calibration_.statesPerSecond > kFastestAccepted && slower.baud != 0)
        calibration_ = slower;
    if (calibration_.baud == 0) {
        failure = device + std::string(texts::kFtdiNoSteadyRate);
        return false;
    }
    if (!link_->setBaudrate(calibration_.baud))
        return linkFailed();
    const double start = host_.now();
    for (int i = 0; i < kExchangeProbes; ++i)
        if (!secondsToPump(1))
            return linkFailed();
    calibration_.exchangeSeconds = (host_.now() - start) / kExchangeProbes;
    return true;
}

double FtdiBackend::shortestByteSeconds() const
{
    return 1 / (calibration_.statesPerSecond * kJitterMargin);
}

bool FtdiBackend::pump(std::span<const std::uint8_t> bytes, std::span<std::uint8_t> back)
{
    std::size_t written = 0;
    std::size_t received = 0;
    double lastProgress = host_.now();
    while (written < bytes.size() || received < back.size()) {
        const std::size_t room = kMostInFlight - inFlight_;
        const std::size_t rest = bytes.size() - written;
        const std::size_t wanted = back.size() - received;
        const auto buffered = static_cast<std::size_t>(std::max(link_->buffered(), 0));
        const bool writing = rest > 0 && (room >= kLeastWrite || room >= rest || wanted == 0);
        int moved = 0;
        if (wanted > 0 && (buffered > 0 || !writing)) {
            const std::size_t asked = std::min({inFlight_, wanted, buffered > 0 ? buffered : kPacketData});
            moved = link_->read(back.data() + received, static_cast<int>(asked));
            received += static_cast<std::size_t>(std::max(moved, 0));
            inFlight_ -= static_cast<std::size_t>(std::max(moved, 0));
        } else {
            moved = link_->write(bytes.data() + written, static_cast<int>(std::min(room, rest)));
            written += static_cast<std::size_t>(std::max(moved, 0));
            inFlight_ += static_cast<std::size_t>(std::max(moved, 0));
        }
        if (moved < 0)
            return false;
        const double now = host_.now();
        if (moved > 0)
            lastProgress = now;
        else if (now - lastProgress > kNoProgressSeconds)
            return false;
    }
    if (!back.empty())
        ++exchanges_;
    return true;
}

// A run of more than one packet is padded with its last state to whole packets:
// the chip sends a short packet only once its latency timer has run from the one
// before, a frame after the full packets, while a full one leaves at the next
// frame. A shorter run is one short packet, which leaves at once after a pause.
// The last state held longer only lengthens the wait that follows.
bool FtdiBackend::pumpDrained(std::span<const std::uint8_t> bytes, std::span<std::uint8_t> back)
{
    if (bytes.size() <= kPacketData)
        return pump(bytes, back);
    std::vector<std::uint8_t> padded(bytes.begin(), bytes.end());
    padded.resize((bytes.size() + kPacketData - 1) / kPacketData * kPacketData, bytes.back());
    std::vector<std::uint8_t> paddedBack(padded.size());
    if (!pump(padded, paddedBack))
        return false;
    std::copy_n(paddedBack.begin(), back.size(), back.begin());
    return true;
}

bool FtdiBackend::runPlan(const FtdiStreamPlan& plan, std::vector<std::uint8_t>& back)
{
    back.assign(plan.bytes.size(), 0);
    const std::span<const std::uint8_t> bytes(plan.bytes);
    std::size_t from = 0;
    for (const FtdiPause& pause : plan.pauses) {
        const std::size_t count = pause.afterBytes - from;
        if (!pumpDrained(bytes.subspan(from, count), std::span(back).subspan(from, count)))
            return false;
        from = pause.afterBytes;
        host_.sleep(pause.seconds);
    }
    return pumpDrained(bytes.subspan(from), std::span(back).subspan(from));
}

bool FtdiBackend::run(std::span<const PinMove> moves, std::span<std::uint8_t> levels)
{
    if (!open_)
        return false;
    const FtdiStreamPlan plan = planFtdiStream(moves, masks_, pins_, pinsProven_, shortestByteSeconds());
    if (plan.readSlots.size() != levels.size())
        return false;
    std::vector<std::uint8_t> back;
    // After a failure the pins may hold anything the stream wrote: the next change
    // is written even when it looks like no change.
    pinsProven_ = false;
    if (!runPlan(plan, back))
        return false;
    pinsProven_ = true;
    for (std::size_t i = 0; i < levels.size(); ++i)
        levels[i] = (back[plan.readSlots[i]] & masks_.pgdIn) != 0 ? 1 : 0;
    pins_ = plan.endPins;
    return true;
}

bool FtdiBackend::setVpp(bool on)
{
    const std::array<PinMove, 1> move{PinMove{.kind = PinMoveKind::Vpp, .vpp = on}};
    return run(move, {});
}

bool FtdiBackend::setDataClock(bool data, bool clock)
{
    const std::array<PinMove, 1> move{PinMove{.kind = PinMoveKind::DataClock, .data = data, .clock = clock}};
    return run(move, {});
}

bool FtdiBackend::read(std::uint8_t& level)
{
    const std::array<PinMove, 1> move{PinMove{.kind = PinMoveKind::Read}};
    return run(move, std::span(&level, 1));
}

bool FtdiBackend::close()
{
    if (!open_)
        return true;
    // Every output low whatever the last stream left, shown by its read-back.
    const std::array<std::uint8_t, 2> low{0, 0};
    std::array<std::uint8_t, 2> back{};
    bool closed = pump(low, back);
    closed = link_->resetBitmode() && closed;
    link_->close();
    open_ = false;
    return closed;
}

std::string FtdiBackend::describe() const
{
    std::string text = std::string(texts::kFtdiProgrammer) + ftdiDeviceName(wiring_);
    if (wiring_.channel != 0)
        text += std::string(" interface ") + static_cast<char>('A' + wiring_.channel - 1);
    if (wiring_.pgm)
        text += std::string(texts::kFtdiLowVoltage) + " (" + pinText("MCLR", wiring_.vpp) + ", "
            + pinText("PGM", *wiring_.pgm) + ", ";
    else if (wiring_.logicLevelMclr)
        text += std::string(texts::kFtdiKeyEntry) + " (" + pinText("MCLR", wiring_.vpp) + ", ";
    else
        text += " (" + pinText("Vpp", wiring_.vpp) + ", ";
    text += pinText("PGC", wiring_.pgc) + ", " + pinText("PGD", wiring_.pgd) + ", " + pinText("data in", wiring_.pgdIn)
        + "), ";
    char numbers[64];
    std::snprintf(numbers, sizeof numbers, "%.0f%s%.1f", calibration_.statesPerSecond,
                  std::string(texts::kFtdiStatesPerSecond).c_str(), calibration_.exchangeSeconds * 1e3);
    return text + numbers + std::string(texts::kFtdiPerExchange);
}

BackendEntry ftdiBackendEntry(std::function<std::unique_ptr<FtdiLink>()> makeLink, FtdiHost host)
{
    return {PortKind::Ftdi,
            [makeLink = std::move(makeLink), host = std::move(host)](const std::string& port,
                                                                     std::string& failure) -> std::unique_ptr<PinBackend> {
                const auto wiring = parseFtdiPort(port, failure);
                if (!wiring) {
                    failure = "\"" + port + "\": " + failure;
                    return nullptr;
                }
                return FtdiBackend::open(makeLink(), *wiring, host, failure);
            }};
}

} // namespace corvant
