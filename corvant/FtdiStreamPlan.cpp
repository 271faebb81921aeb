#include "corvant/FtdiStreamPlan.h"

#include <cmath>

namespace corvant {
namespace {

class Planner {
public:
    Planner(const FtdiPinMasks& masks, std::uint8_t pins, bool pinsProven, double shortestByteSeconds)
        : masks_(masks), period_(shortestByteSeconds), known_(pinsProven)
    {
        plan_.endPins = pins;
    }

    void move(const PinMove& move)
    {
        switch (move.kind) {
        case PinMoveKind::Vpp: vpp(move.vpp); break;
        case PinMoveKind::DataClock:
            change(with(with(plan_.endPins, masks_.pgd, move.data), masks_.pgc, move.clock));
            break;
        case PinMoveKind::Wait: wait(move.units); break;
        case PinMoveKind::Read:
            plan_.readSlots.push_back(0);
            ++unanswered_;
            break;
        }
    }

    FtdiStreamPlan finish()
    {
        settle();
        return std::move(plan_);
    }

private:
    static std::uint8_t with(std::uint8_t pins, std::uint8_t mask, bool high)
    {
        return static_cast<std::uint8_t>(high ? pins | mask : pins & ~mask);
    }

    // Low-voltage entry with a PGM pin: PGM rises before MCLR and falls after it.
    void vpp(bool on)
    {
        if (on && masks_.pgm && !(plan_.endPins & masks_.pgm)) {
            change(with(plan_.endPins, masks_.pgm, true));
            wait(kFtdiPgmLeadUnits);
        }
        change(with(plan_.endPins, masks_.vpp, on));
        if (!on && masks_.pgm)
            change(with(plan_.endPins, masks_.pgm, false));
    }

    void change(std::uint8_t pins)
    {
        if (pins == plan_.endPins && known_)
            return;
        known_ = true;
        emit(pins);
        proven_ = false;
        // The new state holds for this byte's own period at least.
        heldSeconds_ = period_;
    }

    void emit(std::uint8_t pins)
    {
        plan_.bytes.push_back(pins);
        plan_.endPins = pins;
        // Reads since the last byte sample the state just before this one.
        for (std::size_t i = plan_.readSlots.size() - unanswered_; i < plan_.readSlots.size(); ++i)
            plan_.readSlots[i] = plan_.bytes.size() - 1;
        unanswered_ = 0;
    }

    // The waits add up: each one is served by periods of the current state not yet
    // spent on an earlier wait.
    void wait(std::uint32_t units)
    {
        const double seconds = units * kFtdiUnitSeconds;
        if (units >= kFtdiPauseUnits) {
            settle();
            plan_.pauses.push_back({plan_.bytes.size(), seconds});
            heldSeconds_ = 0;
            return;
        }
        if (seconds <= heldSeconds_) {
            heldSeconds_ -= seconds;
            return;
        }
        // The nudge keeps rounding noise from adding a period to an exact fit.
        const auto repeats = static_cast<std::size_t>(std::ceil((seconds - heldSeconds_) / period_ - 1e-9));
        for (std::size_t i = 0; i < repeats; ++i)
            emit(plan_.endPins);
        proven_ = true;
        heldSeconds_ += static_cast<double>(repeats) * period_ - seconds;
    }

    // A repeat byte when a read waits for its sample or the last change is not yet
    // shown by a read-back.
    void settle()
    {
        if (proven_ && unanswered_ == 0)
            return;
        emit(plan_.endPins);
        proven_ = true;
        heldSeconds_ += period_;
    }

    FtdiPinMasks masks_;
    double period_;
    bool known_;  // the pins are as plan_.endPins says
    FtdiStreamPlan plan_;
    std::size_t unanswered_ = 0;  // Read moves still without a byte after them
    bool proven_ = true;          // the last byte repeats the state before it, or there is none
    double heldSeconds_ = 0;      // the current state's periods not yet spent on a wait
};

} // namespace

FtdiStreamPlan planFtdiStream(std::span<const PinMove> moves, const FtdiPinMasks& masks, std::uint8_t pins,
                              bool pinsProven, double shortestByteSeconds)
{
    Planner planner(masks, pins, pinsProven, shortestByteSeconds);
    for (const PinMove& move : moves)
        planner.move(move);
    return planner.finish();
}

} // namespace corvant
