#pragma once
// The platform layer under the GPIO back end: character-device GPIO chips as
// libgpiod (1.6 or 2.x, chosen at build time) presents them, and the device
// files through which they are found. Tests stand in for both and record every
// call. Levels here are physical: 1 is the line high (or, open-drain, released).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvant {

enum class GpioDrive { PushPull, OpenDrain, Input };

// One line of a request: its offset, drive and, for an output, its first level.
struct GpioLineSetting {
    unsigned offset = 0;
    GpioDrive drive = GpioDrive::PushPull;
    int level = 0;
};

// Lines requested together; released when destroyed.
class GpioLineRequest {
public:
    virtual ~GpioLineRequest() = default;
    // Every output line of the request takes its level (in request order,
    // inputs left out), in one kernel call.
    virtual bool set(const std::vector<int>& levels) = 0;
    // The level on line `index` of the request (inputs counted), in one kernel call.
    virtual bool get(std::size_t index, int& level) = 0;
};

class GpioChip {
public:
    virtual ~GpioChip() = default;
    virtual unsigned lineCount() const = 0;
    // The label the chip's driver gives it ("pinctrl-rp1"); empty when it has none.
    virtual std::string label() const = 0;
    // Who holds line `offset`: nullopt when it is free, an empty name for a
    // holder that gave none.
    virtual std::optional<std::string> holder(unsigned offset) = 0;
    // Whether one request may hold lines of different drives (libgpiod 2.x);
    // otherwise each request has one drive (libgpiod 1.6).
    virtual bool mixesDrives() const = 0;
    // nullptr with an errno value in error on failure.
    virtual std::unique_ptr<GpioLineRequest> request(const std::vector<GpioLineSetting>& lines, int& error) = 0;
};

// A GPIO chip's character device, found without opening it.
struct GpioDeviceFile {
    std::string path;          // symbolic links resolved
    std::uint64_t number = 0;  // the device number: two names of one chip share it
};

// The device files of the kernel's GPIO chips. Nothing here opens a file.
class GpioDeviceFiles {
public:
    virtual ~GpioDeviceFiles() = default;
    // The folder the device files live in ("/dev").
    virtual std::string folder() const = 0;
    // The names in that folder.
    virtual std::vector<std::string> names() = 0;
    // The GPIO chip that `path` is (or links to); nullopt with an errno value
    // in error when it is missing (ENOENT) or anything but a GPIO chip's
    // character device (ENOTTY).
    virtual std::optional<GpioDeviceFile> gpioChip(const std::string& path, int& error) = 0;
};

class GpioChips {
public:
    virtual ~GpioChips() = default;
    virtual GpioDeviceFiles& deviceFiles() = 0;
    // Opens the chip at `device`, which deviceFiles() found to be a GPIO chip.
    // nullptr with an errno value in error on failure.
    virtual std::unique_ptr<GpioChip> open(const GpioDeviceFile& device, int& error) = 0;
    // Why this build cannot reach GPIO chips at all; empty when it can.
    virtual std::string unavailable() const = 0;
};

// This platform's chips and device files; they live until the process ends.
GpioChips& platformGpioChips();
GpioDeviceFiles& platformGpioDeviceFiles();
// This build's chip layer over other device files, for tests.
std::unique_ptr<GpioChips> makeGpioChips(GpioDeviceFiles& files);

inline constexpr const char* kGpioConsumer = "velmora";

} // namespace corvant
