#pragma once
// The platform layer under the GPIO back end: character-device GPIO chips as
// libgpiod presents them. Tests stand in for it and record every line call.
// Levels here are physical: 1 is the line high (or, open-drain, released).

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvant {

enum class GpioDrive { PushPull, OpenDrain, Input };

// Lines requested together, all with one drive; released when destroyed.
class GpioLineRequest {
public:
    virtual ~GpioLineRequest() = default;
    // Every line of the request takes its level, in one kernel call.
    virtual bool set(const std::vector<int>& levels) = 0;
    // The level on line `index` of the request, in one kernel call.
    virtual bool get(std::size_t index, int& level) = 0;
};

class GpioChip {
public:
    virtual ~GpioChip() = default;
    virtual unsigned lineCount() const = 0;
    // Who holds line `offset`: nullopt when it is free, an empty name for a
    // holder that gave none.
    virtual std::optional<std::string> holder(unsigned offset) = 0;
    // Outputs start at `levels` (ignored for inputs). nullptr with an errno
    // value in error on failure.
    virtual std::unique_ptr<GpioLineRequest> request(const std::vector<unsigned>& offsets, GpioDrive drive,
                                                     const std::vector<int>& levels, int& error) = 0;
};

class GpioChips {
public:
    virtual ~GpioChips() = default;
    // `name` as libgpiod's chip lookup takes it: name, number, label or path.
    // nullptr with an errno value in error on failure.
    virtual std::unique_ptr<GpioChip> open(const std::string& name, int& error) = 0;
    // Why this build cannot reach GPIO chips at all; empty when it can.
    virtual std::string unavailable() const = 0;
};

// This platform's chips; lives until the process ends.
GpioChips& platformGpioChips();

inline constexpr const char* kGpioConsumer = "velmora";

} // namespace corvant
