#include "FakeGpioChips.h"

#include <algorithm>
#include <cerrno>

namespace corvant::test {
namespace {

std::string joined(const std::vector<unsigned>& values)
{
    std::string text;
    for (unsigned value : values)
        text += (text.empty() ? "" : ",") + std::to_string(value);
    return text;
}

std::string joined(const std::vector<int>& values)
{
    std::string text;
    for (int value : values)
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

class FakeRequest final : public GpioLineRequest {
public:
    FakeRequest(FakeGpioChips& chips, std::vector<unsigned> offsets) : chips_(chips), offsets_(std::move(offsets)) {}
    ~FakeRequest() override
    {
        int error = 0;
        chips_.failing("release " + joined(offsets_), error);
        for (unsigned offset : offsets_)
            chips_.line(offset).holder.reset();
    }
    FakeRequest(const FakeRequest&) = delete;
    FakeRequest& operator=(const FakeRequest&) = delete;

    bool set(const std::vector<int>& levels) override
    {
        std::string entry = "set";
        for (std::size_t i = 0; i < offsets_.size() && i < levels.size(); ++i)
            entry += " " + std::to_string(offsets_[i]) + "=" + std::to_string(levels[i]);
        int error = 0;
        chips_.advance(chips_.setCost());
        if (chips_.failing(entry, error) || levels.size() != offsets_.size())
            return false;
        for (std::size_t i = 0; i < offsets_.size(); ++i)
            chips_.line(offsets_[i]).driven = levels[i];
        return true;
    }

    bool get(std::size_t index, int& level) override
    {
        int error = 0;
        chips_.advance(chips_.getCost());
        if (index >= offsets_.size() || chips_.failing("get " + std::to_string(offsets_[index]), error))
            return false;
        level = chips_.line(offsets_[index]).level();
        return true;
    }

private:
    FakeGpioChips& chips_;
    std::vector<unsigned> offsets_;
};

class FakeChip final : public GpioChip {
public:
    explicit FakeChip(FakeGpioChips& chips, unsigned count) : chips_(chips), count_(count) {}
    ~FakeChip() override
    {
        int error = 0;
        chips_.failing("close", error);
        chips_.chipClosed();
    }
    FakeChip(const FakeChip&) = delete;
    FakeChip& operator=(const FakeChip&) = delete;

    unsigned lineCount() const override { return count_; }
    std::optional<std::string> holder(unsigned offset) override { return chips_.line(offset).holder; }

    std::unique_ptr<GpioLineRequest> request(const std::vector<unsigned>& offsets, GpioDrive drive,
                                             const std::vector<int>& levels, int& error) override
    {
        if (chips_.failing("request " + joined(offsets) + " " + driveName(drive) + " " + joined(levels), error))
            return nullptr;
        for (unsigned offset : offsets) {
            if (offset >= count_ || chips_.line(offset).holder) {
                error = offset >= count_ ? EINVAL : EBUSY;
                return nullptr;
            }
        }
        for (std::size_t i = 0; i < offsets.size(); ++i) {
            FakeGpioLine& line = chips_.line(offsets[i]);
            line.holder = kGpioConsumer;
            line.drive = drive;
            if (drive != GpioDrive::Input)
                line.driven = i < levels.size() ? levels[i] : 0;
        }
        return std::make_unique<FakeRequest>(chips_, offsets);
    }

private:
    FakeGpioChips& chips_;
    unsigned count_;
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

FakeGpioChips::FakeGpioChips(unsigned lines) : lines_(lines) {}

bool FakeGpioChips::failing(const std::string& entry, int& error)
{
    calls_.push_back(entry);
    const auto failure = std::find_if(failures_.begin(), failures_.end(),
                                      [&](const auto& f) { return entry.starts_with(f.first); });
    if (failure == failures_.end())
        return false;
    error = failure->second;
    failures_.erase(failure);
    return true;
}

std::unique_ptr<GpioChip> FakeGpioChips::open(const std::string& name, int& error)
{
    if (failing("open " + name, error))
        return nullptr;
    if (name != "gpiochip0" && name != "0" && name != "/dev/gpiochip0") {
        error = ENOENT;
        return nullptr;
    }
    ++openChips_;
    return std::make_unique<FakeChip>(*this, static_cast<unsigned>(lines_.size()));
}

} // namespace corvant::test
