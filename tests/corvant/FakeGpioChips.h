#pragma once
// A stand-in for the GPIO chip layer: device files (GPIO chips, links to them
// and other devices), chip 0's lines with a holder, a drive and a level, the
// level an outside circuit puts on each line, every call logged with its time,
// and the next call of a given kind or on given lines made to fail. It behaves
// as libgpiod 1.6 (one drive per request) or, with mixesDrives, as 2.x.

#include "corvant/GpioChips.h"

#include <chrono>
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

// A file in the fake device folder.
struct FakeGpioDevice {
    bool gpioChip = false;     // otherwise some other device, such as a serial port
    std::uint64_t number = 0;  // chip 0 has the lines below; others have none
    std::string label;
    std::string linksTo;       // a symbolic link to this path instead
};

class FakeGpioChips final : public GpioChips, public GpioDeviceFiles {
public:
    // /dev/gpiochip0 ("pinctrl-bcm2711") with `lines` lines, and /dev/ttyS0, a serial port.
    explicit FakeGpioChips(unsigned lines = 54, bool mixesDrives = false);

    FakeGpioLine& line(unsigned offset) { return lines_.at(offset); }
    void addDevice(const std::string& path, FakeGpioDevice device) { devices_[path] = std::move(device); }
    bool mixesDrives() const { return mixesDrives_; }
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

    // "open /dev/gpiochip0", "request 17,27 push-pull 0,0; 22 open-drain 0", "set 17=1 27=0",
    // "get 22", "release 17,27", "close"
    const std::vector<std::string>& calls() const { return calls_; }
    // When each call was made.
    const std::vector<std::chrono::steady_clock::time_point>& callTimes() const { return callTimes_; }
    void clearCalls();
    int openChips() const { return openChips_; }

    GpioDeviceFiles& deviceFiles() override { return *this; }
    std::unique_ptr<GpioChip> open(const GpioDeviceFile& device, int& error) override;
    std::string unavailable() const override { return unavailable_; }

    std::string folder() const override { return "/dev"; }
    std::vector<std::string> names() override;
    std::optional<GpioDeviceFile> gpioChip(const std::string& path, int& error) override;

    // For the chip and its requests.
    bool failing(const std::string& entry, int& error);
    void advance(double seconds) { seconds_ += seconds; }
    double setCost() const { return setCost_; }
    double getCost() const { return getCost_; }
    void chipClosed() { --openChips_; }

private:
    std::vector<FakeGpioLine> lines_;
    bool mixesDrives_;
    std::map<std::string, FakeGpioDevice> devices_;
    std::map<std::string, int> failures_;
    std::vector<std::string> calls_;
    std::vector<std::chrono::steady_clock::time_point> callTimes_;
    std::string unavailable_;
    int openChips_ = 0;
    double setCost_ = 0;
    double getCost_ = 0;
    double seconds_ = 0;
};

} // namespace corvant::test
