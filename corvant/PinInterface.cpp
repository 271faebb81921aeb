#include "corvant/PinInterface.h"

#include "corvant/CorvantTexts.h"
#include "corvant/corvant.h"

#include <cmath>
#include <limits>

namespace corvant {
namespace {

std::uint32_t nanoseconds(double seconds)
{
    constexpr auto kMost = std::numeric_limits<std::uint32_t>::max();
    const double value = std::round(seconds * 1e9);
    if (!(value > 0))
        return 0;
    return value >= static_cast<double>(kMost) ? kMost : static_cast<std::uint32_t>(value);
}

} // namespace

PinInterface::PinInterface(BackendTable backends, MonotonicClock clock)
    : backends_(std::move(backends)), clock_(std::move(clock))
{
    describeNoPort({});
}

PinInterface::~PinInterface()
{
    // A program that exits without ComClose still gets Vpp switched off.
    closeBackend();
}

bool PinInterface::comInit(const char* port)
{
    std::lock_guard lock(mutex_);
    closeBackend();
    std::string failure;
    backend_ = openBackend(port, failure);
    if (!backend_) {
        describeNoPort(failure);
        return false;
    }
    StreamingBackend* streaming = backend_->streaming();
    const auto costs = streaming ? measureStreamedCosts(*streaming, clock_) : measureLineCosts(*backend_, clock_);
    if (!costs) {
        failure = backend_->describe() + std::string(texts::kLinesDoNotAnswer);
        closeBackend();
        describeNoPort(failure);
        return false;
    }
    costs_ = *costs;
    info_ = std::string(texts::kLibrary) + ", " + backend_->describe() + ". " + speedText(costs_);
    return true;
}

bool PinInterface::comClose()
{
    std::lock_guard lock(mutex_);
    const bool closed = closeBackend();
    describeNoPort({});
    return closed;
}

bool PinInterface::write(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock)
{
    std::lock_guard lock(mutex_);
    if (!backend_)
        return false;
    return writeInOrder(vpp != 0, data != 0, clock != 0);
}

void PinInterface::appendOrderedMoves(std::vector<PinMove>& moves, bool& vppOn, bool vpp, bool data, bool clock)
{
    // Vpp leaves first and comes last, so the target never sees data and clock
    // change under a programming voltage that is about to go or come.
    if (vppOn && !vpp) {
        moves.push_back({.kind = PinMoveKind::Vpp, .vpp = false});
        vppOn = false;
    }
    moves.push_back({.kind = PinMoveKind::DataClock, .data = data, .clock = clock});
    if (vpp && !vppOn) {
        moves.push_back({.kind = PinMoveKind::Vpp, .vpp = true});
        vppOn = true;
    }
}

bool PinInterface::writeInOrder(bool vpp, bool data, bool clock)
{
    std::vector<PinMove> moves;
    bool vppOn = vppOn_;
    appendOrderedMoves(moves, vppOn, vpp, data, clock);
    for (const PinMove& move : moves) {
        const bool moved = move.kind == PinMoveKind::Vpp ? backend_->setVpp(move.vpp)
                                                         : backend_->setDataClock(move.data, move.clock);
        if (!moved)
            return false;
        if (move.kind == PinMoveKind::Vpp)
            vppOn_ = move.vpp;
    }
    return true;
}

bool PinInterface::stream(const std::uint32_t* steps, std::uint32_t stepCount, std::uint8_t* levels,
                          std::uint32_t levelCount)
{
    std::lock_guard lock(mutex_);
    StreamingBackend* streaming = backend_ ? backend_->streaming() : nullptr;
    if (!streaming)
        return false;
    if (stepCount == 0)
        return true;
    if (!steps)
        return false;
    std::vector<PinMove> moves;
    moves.reserve(stepCount + 2);
    bool vppOn = vppOn_;
    std::uint32_t reads = 0;
    for (std::uint32_t i = 0; i < stepCount; ++i) {
        const std::uint32_t step = steps[i];
        switch (step & CORVANT_STEP_KIND) {
        case CORVANT_STEP_WRITE:
            if ((step & ~7U) != CORVANT_STEP_WRITE)
                return false;
            appendOrderedMoves(moves, vppOn, (step & 4U) != 0, (step & 2U) != 0, (step & 1U) != 0);
            break;
        case CORVANT_STEP_WAIT:
            moves.push_back({.kind = PinMoveKind::Wait, .units = step & ~CORVANT_STEP_KIND});
            break;
        case CORVANT_STEP_READ:
            if (step != CORVANT_STEP_READ)
                return false;
            moves.push_back({.kind = PinMoveKind::Read});
            ++reads;
            break;
        default:
            return false;
        }
    }
    if (reads > levelCount || (reads > 0 && !levels))
        return false;
    const bool ran = streaming->run(moves, std::span<std::uint8_t>(levels, reads));
    // After a failure Vpp may be on or off: remembering it on makes the next
    // write that wants it off switch it off.
    vppOn_ = ran ? vppOn : (vppOn_ || vppOn);
    return ran;
}

bool PinInterface::read(std::uint8_t* level)
{
    std::lock_guard lock(mutex_);
    if (!level || !backend_)
        return false;
    std::uint8_t sampled = 0;
    const bool ok = backend_->read(sampled);
    *level = ok && sampled != 0 ? 1 : 0;
    return ok;
}

const char* PinInterface::info()
{
    std::lock_guard lock(mutex_);
    return info_.c_str();
}

bool PinInterface::lineCosts(std::uint32_t* writeNanoseconds, std::uint32_t* readNanoseconds)
{
    std::lock_guard lock(mutex_);
    if (!writeNanoseconds || !readNanoseconds || !backend_)
        return false;
    *writeNanoseconds = nanoseconds(costs_.writeSeconds);
    *readNanoseconds = nanoseconds(costs_.readSeconds);
    return true;
}

bool PinInterface::closeBackend()
{
    if (!backend_)
        return true;
    // Vpp off first whatever we remember, then data and clock, then let go.
    bool closed = backend_->setVpp(false);
    closed = backend_->setDataClock(false, false) && closed;
    closed = backend_->close() && closed;
    backend_.reset();
    vppOn_ = false;
    return closed;
}

std::unique_ptr<PinBackend> PinInterface::openBackend(const char* port, std::string& failure)
{
    if (!port) {
        failure = texts::kNoPortName;
        return nullptr;
    }
    const BackendEntry* entry = findBackend(backends_, port);
    if (!entry) {
        failure = "\"" + std::string(port) + "\": " + std::string(texts::kBadPortName);
        return nullptr;
    }
    return entry->open(port, failure);
}

void PinInterface::describeNoPort(const std::string& failure)
{
    info_ = std::string(texts::kLibrary) + ", " + std::string(texts::kNoPortOpen);
    if (!failure.empty())
        info_ += " (last ComInit: " + failure + ")";
}

} // namespace corvant
