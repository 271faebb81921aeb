#pragma once
// A stand-in for libgpiod's chips: lines with a holder, a drive and a level,
// the level an outside circuit puts on each line, every line call logged, and
// the next call of a given kind or on given lines made to fail.

#include "corvant/GpioChips.h"

#include <map>
#include <string>
#include <vector>

namespace corvant::test {

struct FakeGpioLine {
    std::optional<std::string> holder; // nullopt: free
    GpioDrive drive = GpioDrive::Input;
    int driven = 0;   // the level an output was last set to
    int outside = 1;  // what the circuit puts on the line when nothing drives it low
    int level() const;
};

class FakeGpioChips final : public GpioChips {
public:
    // Chip "gpiochip0" with `lines` lines; also found by its number "0".
    FakeGpioChips(unsigned lines = 54);

    FakeGpioLine& line(unsigned offset) { return lines_.at(offset); }
    // The next call whose log entry starts with `call` fails.
    void failNext(const std::string& call, int error) { failures_[call] = error; }
    void setUnavailable(std::string reason) { unavailable_ = std::move(reason); }
    // Every set or get moves the clock on by its cost.
    void setLineCosts(double setSeconds, double getSeconds)
    {
        setCost_ = setSeconds;
        getCost_ = getSeconds;
    }
    double seconds() const { return seconds_; }

    // "open gpiochip0", "request 17,27 push-pull 0,0", "set 17=1 27=0", "get 22", "release 17,27", "close"
    const std::vector<std::string>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    int openChips() const { return openChips_; }

    std::unique_ptr<GpioChip> open(const std::string& name, int& error) override;
    std::string unavailable() const override { return unavailable_; }

    // For the chip and its requests.
    bool failing(const std::string& entry, int& error);
    void advance(double seconds) { seconds_ += seconds; }
    double setCost() const { return setCost_; }
    double getCost() const { return getCost_; }
    void chipClosed() { --openChips_; }

private:
    std::vector<FakeGpioLine> lines_;
    std::map<std::string, int> failures_;
    std::vector<std::string> calls_;
    std::string unavailable_;
    int openChips_ = 0;
    double setCost_ = 0;
    double getCost_ = 0;
    double seconds_ = 0;
};

} // namespace corvant::test
