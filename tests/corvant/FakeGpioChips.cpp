#include "FakeGpioChips.h"

#include <algorithm>
#include <cerrno>

namespace corvant::test {
namespace {

template <typename T>
std::string joined(const std::vector<T>& values)
{
    std::string text;
    for (const T& value : values)
        text += (text.empty() ? "" : ",") + std::to_string(value);
    return text;
}

const char* driveName(GpioDrive drive)
{
    switch (drive) {
    case GpioDrive::PushPull: return "push-pull";
    case GpioDrive::OpenDrain: return "open-drain";
    default: return "input";
    }
}

// Runs of lines with one drive: "17,27 push-pull 0,0; 22 open-drain 0".
std::string describe(const std::vector<GpioLineSetting>& lines)
{
    std::string text;
    for (std::size_t start = 0; start < lines.size();) {
        std::size_t end = start;
        std::vector<unsigned> offsets;
        std::vector<int> levels;
        for (; end < lines.size() && lines[end].drive == lines[start].drive; ++end) {
            offsets.push_back(lines[end].offset);
            levels.push_back(lines[end].level);
        }
        text += (text.empty() ? "" : "; ") + joined(offsets) + " " + driveName(lines[start].drive);
        if (lines[start].drive != GpioDrive::Input)
            text += " " + joined(levels);
        start = end;
    }
    return text;
}

class FakeRequest final : public GpioLineRequest {
public:
    FakeRequest(FakeGpioChips& chips, std::vector<GpioLineSetting> lines) : chips_(chips), lines_(std::move(lines))
    {
        for (const GpioLineSetting& line : lines_)
            if (line.drive != GpioDrive::Input)
                outputs_.push_back(line.offset);
    }
    ~FakeRequest() override
    {
        std::vector<unsigned> offsets;
        for (const GpioLineSetting& line : lines_)
            offsets.push_back(line.offset);
        int error = 0;
        chips_.failing("release " + joined(offsets), error);
        // The levels stay as last driven, so a test sees what the release left behind.
        for (unsigned offset : offsets)
            chips_.line(offset).holder.reset();
    }
    FakeRequest(const FakeRequest&) = delete;
    FakeRequest& operator=(const FakeRequest&) = delete;

    bool set(const std::vector<int>& levels) override
    {
        std::string entry = "set";
        for (std::size_t i = 0; i < outputs_.size() && i < levels.size(); ++i)
            entry += " " + std::to_string(outputs_[i]) + "=" + std::to_string(levels[i]);
        int error = 0;
        chips_.advance(chips_.setCost());
        if (chips_.failing(entry, error) || levels.size() != outputs_.size())
            return false;
        for (std::size_t i = 0; i < outputs_.size(); ++i)
            chips_.line(outputs_[i]).driven = levels[i];
        return true;
    }

    bool get(std::size_t index, int& level) override
    {
        int error = 0;
        chips_.advance(chips_.getCost());
        if (index >= lines_.size() || chips_.failing("get " + std::to_string(lines_[index].offset), error))
            return false;
        level = chips_.line(lines_[index].offset).level();
        return true;
    }

private:
    FakeGpioChips& chips_;
    std::vector<GpioLineSetting> lines_;
    std::vector<unsigned> outputs_;
};

class FakeChip final : public GpioChip {
public:
    FakeChip(FakeGpioChips& chips, unsigned count, std::string label)
        : chips_(chips), count_(count), label_(std::move(label))
    {
    }
    ~FakeChip() override
    {
        int error = 0;
        chips_.failing("close", error);
        chips_.chipClosed();
    }
    FakeChip(const FakeChip&) = delete;
    FakeChip& operator=(const FakeChip&) = delete;

    unsigned lineCount() const override { return count_; }
    std::string label() const override { return label_; }
    std::optional<std::string> holder(unsigned offset) override { return chips_.line(offset).holder; }
    bool mixesDrives() const override { return chips_.mixesDrives(); }

    std::unique_ptr<GpioLineRequest> request(const std::vector<GpioLineSetting>& lines, int& error) override
    {
        if (chips_.failing("request " + describe(lines), error))
            return nullptr;
        for (const GpioLineSetting& line : lines) {
            if (line.offset >= count_ || chips_.line(line.offset).holder
                || (!mixesDrives() && line.drive != lines.front().drive)) {
                error = line.offset < count_ && chips_.line(line.offset).holder ? EBUSY : EINVAL;
                return nullptr;
            }
        }
        for (const GpioLineSetting& setting : lines) {
            FakeGpioLine& line = chips_.line(setting.offset);
            line.holder = kGpioConsumer;
            line.drive = setting.drive;
            if (setting.drive != GpioDrive::Input)
                line.driven = setting.level;
        }
        return std::make_unique<FakeRequest>(chips_, lines);
    }

private:
    FakeGpioChips& chips_;
    unsigned count_;
    std::string label_;
};

} // namespace

int FakeGpioLine::level() const
{
    switch (drive) {
    case GpioDrive::PushPull: return driven;
    case GpioDrive::OpenDrain: return driven != 0 ? outside : 0;
    default: return outside;
    }
}

FakeGpioChips::FakeGpioChips(unsigned lines, bool mixesDrives) : lines_(lines), mixesDrives_(mixesDrives)
{
    devices_["/dev/gpiochip0"] = FakeGpioDevice{true, 0, "pinctrl-bcm2711", {}};
    devices_["/dev/ttyS0"] = FakeGpioDevice{};
}

void FakeGpioChips::clearCalls()
{
    calls_.clear();
    callTimes_.clear();
}

bool FakeGpioChips::failing(const std::string& entry, int& error)
{
    calls_.push_back(entry);
    callTimes_.push_back(std::chrono::steady_clock::now());
    const auto failure = std::find_if(failures_.begin(), failures_.end(),
                                      [&](const auto& f) { return entry.starts_with(f.first); });
    if (failure == failures_.end())
        return false;
    error = failure->second;
    failures_.erase(failure);
    return true;
}

std::vector<std::string> FakeGpioChips::names()
{
    std::vector<std::string> result;
    for (const auto& [path, device] : devices_)
        if (path.starts_with("/dev/") && path.find('/', 5) == std::string::npos)
            result.push_back(path.substr(5));
    return result;
}

std::optional<GpioDeviceFile> FakeGpioChips::gpioChip(const std::string& path, int& error)
{
    std::string real = path;
    for (int hops = 0; devices_.contains(real) && !devices_[real].linksTo.empty() && hops < 8; ++hops)
        real = devices_[real].linksTo;
    const auto found = devices_.find(real);
    if (found == devices_.end()) {
        error = ENOENT;
        return std::nullopt;
    }
    if (!found->second.gpioChip) {
        error = ENOTTY;
        return std::nullopt;
    }
    return GpioDeviceFile{real, found->second.number};
}

std::unique_ptr<GpioChip> FakeGpioChips::open(const GpioDeviceFile& device, int& error)
{
    if (failing("open " + device.path, error))
        return nullptr;
    const auto found = devices_.find(device.path);
    if (found == devices_.end() || !found->second.gpioChip) {
        error = ENODEV;
        return nullptr;
    }
    ++openChips_;
    const unsigned count = found->second.number == 0 ? static_cast<unsigned>(lines_.size()) : 0;
    return std::make_unique<FakeChip>(*this, count, found->second.label);
}

} // namespace corvant::test
