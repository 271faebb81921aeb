#include "Ft232rModel.h"

#include <algorithm>
#include <thread>

namespace ftdistandin {

Ft232rModel::Ft232rModel(Pins& pins, Timing timing, velmora_ftdi_standin_counts& counts)
    : pins_(pins), timing_(timing), counts_(counts), origin_(Clock::now())
{
}

SimTime Ft232rModel::now() const
{
    return std::chrono::duration_cast<SimTime>(Clock::now() - origin_);
}

void Ft232rModel::sleepUntil(SimTime time) const
{
    std::this_thread::sleep_until(origin_ + time);
}

SimTime Ft232rModel::drawPeriod()
{
    const double slower = timing_.jitter * std::uniform_real_distribution<double>(0, 1)(random_);
    return SimTime(static_cast<SimTime::rep>(static_cast<double>(nominal_.count()) * (1 + slower)));
}

void Ft232rModel::setSynchronous(std::uint8_t outputs)
{
    const SimTime time = now();
    advance(time);
    const bool wasBlocked = clockBlocked();
    synchronous_ = true;
    outputs_ = outputs;
    pins_.apply(time, 0, outputs);
    unblockedAt(time, wasBlocked);
}

void Ft232rModel::setUart()
{
    const SimTime time = now();
    advance(time);
    synchronous_ = false;
    outputs_ = 0;
    pins_.apply(time, 0, 0);
}

void Ft232rModel::setBaudrate(int baud)
{
    advance(now());
    nominal_ = SimTime(static_cast<SimTime::rep>(1e9 / (timing_.rateFactor * baud)));
}

void Ft232rModel::purge()
{
    advance(now());
    toChip_.clear();
    fromPins_.clear();
    host_.clear();
}

SimTime Ft232rModel::nextTick() const
{
    return std::max(lastTick_ + gap_, readySince_);
}

void Ft232rModel::unblockedAt(SimTime time, bool wasBlocked)
{
    if (!wasBlocked || clockBlocked())
        return;
    readySince_ = time;
    const SimTime due = lastTick_ + gap_;
    if (time > due)
        counts_.idle_ns += static_cast<std::uint64_t>((time - due).count());
}

void Ft232rModel::advance(SimTime to)
{
    while (synchronous_ && !toChip_.empty()) {
        if (fromPins_.size() >= kFromPins) {
            counts_.stalls += stalled_ ? 0 : 1;
            stalled_ = true;
            return;
        }
        stalled_ = false;
        const SimTime tick = nextTick();
        if (tick > to)
            return;
        fromPins_.push_back(pins_.sample(tick));
        pins_.apply(tick, toChip_.front(), outputs_);
        toChip_.pop_front();
        lastTick_ = tick;
        gap_ = drawPeriod();
    }
}

bool Ft232rModel::write(const std::uint8_t* data, std::size_t size, std::chrono::milliseconds timeout)
{
    std::size_t done = 0;
    SimTime deadline = now() + timeout;
    for (;;) {
        const SimTime time = now();
        advance(time);
        const bool wasBlocked = clockBlocked();
        const std::size_t before = done;
        while (done < size && toChip_.size() < kToChip)
            toChip_.push_back(data[done++]);
        unblockedAt(time, wasBlocked);
        counts_.bytes_written += done - before;
        if (done == size)
            return true;
        // The timeout runs from the last byte the adapter took.
        if (done > before)
            deadline = time + timeout;
        if (time >= deadline)
            return false;
        // No room: wait for the tick that takes the FIFO's first byte, if one can come.
        const bool stuck = !synchronous_ || fromPins_.size() >= kFromPins;
        sleepUntil(stuck ? deadline : std::min(nextTick(), deadline));
        counts_.write_wait_ns += static_cast<std::uint64_t>((now() - time).count());
    }
}

bool Ft232rModel::releasePackets(SimTime frame)
{
    const bool wasBlocked = clockBlocked();
    bool onlyStatus = false;
    for (int packet = 0; packet < kPacketsPerFrame; ++packet) {
        const bool full = fromPins_.size() >= kPacketData;
        if (!full && frame - lastPacket_ < latency_)
            break;
        const std::size_t size = std::min(fromPins_.size(), kPacketData);
        host_.insert(host_.end(), fromPins_.begin(), fromPins_.begin() + static_cast<std::ptrdiff_t>(size));
        fromPins_.erase(fromPins_.begin(), fromPins_.begin() + static_cast<std::ptrdiff_t>(size));
        lastPacket_ = frame;
        onlyStatus = packet == 0 && size == 0;
        if (!full)
            break;
    }
    unblockedAt(frame, wasBlocked);
    return onlyStatus;
}

std::size_t Ft232rModel::read(std::uint8_t* data, std::size_t size)
{
    const SimTime time = now();
    advance(time);
    std::size_t got = 0;
    const auto take = [&] {
        while (got < size && !host_.empty()) {
            data[got++] = host_.front();
            host_.pop_front();
        }
    };
    take();
    if (got == size) {
        counts_.bytes_read += got;
        return got;
    }
    // libftdi transfers again and again, one frame each, until it has the bytes asked
    // for or a transfer brings only the status bytes; a frame where the chip has no
    // packet to send yet ends no read.
    ++counts_.exchanges;
    for (SimTime frame = (time / kFrame + 1) * kFrame;; frame += kFrame) {
        sleepUntil(frame);
        advance(frame);
        const bool onlyStatus = releasePackets(frame);
        take();
        if (got == size || onlyStatus)
            break;
    }
    counts_.read_wait_ns += static_cast<std::uint64_t>((now() - time).count());
    counts_.bytes_read += got;
    return got;
}

std::uint8_t Ft232rModel::pinsNow()
{
    const SimTime time = now();
    advance(time);
    return pins_.sample(time);
}

} // namespace ftdistandin
