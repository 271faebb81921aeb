// GPIO chips through libgpiod 2.x (the character device's uAPI v2): per-line
// settings let push-pull, open-drain and input lines share one request, so one
// kernel call sets every output of the programmer.

#include "corvant/GpioChips.h"
#include "corvant/LibgpiodChipList.h"

#include <cerrno>
#include <gpiod.h>

namespace corvant {
namespace {

// libgpiod's objects, freed by their own functions.
template <typename T, void (*Free)(T*)>
struct Freed {
    void operator()(T* object) const { Free(object); }
};
template <typename T, void (*Free)(T*)>
using Owned = std::unique_ptr<T, Freed<T, Free>>;

using ChipInfo = Owned<gpiod_chip_info, gpiod_chip_info_free>;
using LineInfo = Owned<gpiod_line_info, gpiod_line_info_free>;
using LineSettings = Owned<gpiod_line_settings, gpiod_line_settings_free>;
using LineConfig = Owned<gpiod_line_config, gpiod_line_config_free>;
using RequestConfig = Owned<gpiod_request_config, gpiod_request_config_free>;
using LineRequest = Owned<gpiod_line_request, gpiod_line_request_release>;

gpiod_line_value valueOf(int level)
{
    return level != 0 ? GPIOD_LINE_VALUE_ACTIVE : GPIOD_LINE_VALUE_INACTIVE;
}

class Libgpiod2Request final : public GpioLineRequest {
public:
    Libgpiod2Request(LineRequest request, std::vector<unsigned> offsets, std::vector<unsigned> outputs)
        : request_(std::move(request)), offsets_(std::move(offsets)), outputs_(std::move(outputs)),
          values_(outputs_.size())
    {
    }

    bool set(const std::vector<int>& levels) override
    {
        if (outputs_.empty() || levels.size() != outputs_.size())
            return false;
        for (std::size_t i = 0; i < levels.size(); ++i)
            values_[i] = valueOf(levels[i]);
        return gpiod_line_request_set_values_subset(request_.get(), outputs_.size(), outputs_.data(), values_.data())
            == 0;
    }

    bool get(std::size_t index, int& level) override
    {
        if (index >= offsets_.size())
            return false;
        const gpiod_line_value value = gpiod_line_request_get_value(request_.get(), offsets_[index]);
        if (value == GPIOD_LINE_VALUE_ERROR)
            return false;
        level = value == GPIOD_LINE_VALUE_ACTIVE ? 1 : 0;
        return true;
    }

private:
    LineRequest request_;
    std::vector<unsigned> offsets_;
    std::vector<unsigned> outputs_;
    std::vector<gpiod_line_value> values_;
};

bool describe(gpiod_line_settings* settings, const GpioLineSetting& line)
{
    if (line.drive == GpioDrive::Input)
        return gpiod_line_settings_set_direction(settings, GPIOD_LINE_DIRECTION_INPUT) == 0;
    const gpiod_line_drive drive =
        line.drive == GpioDrive::OpenDrain ? GPIOD_LINE_DRIVE_OPEN_DRAIN : GPIOD_LINE_DRIVE_PUSH_PULL;
    return gpiod_line_settings_set_direction(settings, GPIOD_LINE_DIRECTION_OUTPUT) == 0
        && gpiod_line_settings_set_drive(settings, drive) == 0
        && gpiod_line_settings_set_output_value(settings, valueOf(line.level)) == 0;
}

class Libgpiod2Chip final : public GpioChip {
public:
    explicit Libgpiod2Chip(gpiod_chip* chip) : chip_(chip) {}
    ~Libgpiod2Chip() override { gpiod_chip_close(chip_); }
    Libgpiod2Chip(const Libgpiod2Chip&) = delete;
    Libgpiod2Chip& operator=(const Libgpiod2Chip&) = delete;

    unsigned lineCount() const override
    {
        const ChipInfo info(gpiod_chip_get_info(chip_));
        return info ? static_cast<unsigned>(gpiod_chip_info_get_num_lines(info.get())) : 0;
    }

    std::string label() const override
    {
        const ChipInfo info(gpiod_chip_get_info(chip_));
        const char* label = info ? gpiod_chip_info_get_label(info.get()) : nullptr;
        return label ? label : "";
    }

    std::optional<std::string> holder(unsigned offset) override
    {
        const LineInfo info(gpiod_chip_get_line_info(chip_, offset));
        if (!info || !gpiod_line_info_is_used(info.get()))
            return std::nullopt;
        const char* consumer = gpiod_line_info_get_consumer(info.get());
        return std::string(consumer ? consumer : "");
    }

    bool mixesDrives() const override { return true; }

    std::unique_ptr<GpioLineRequest> request(const std::vector<GpioLineSetting>& lines, int& error) override
    {
        const LineConfig config(gpiod_line_config_new());
        const RequestConfig requestConfig(gpiod_request_config_new());
        if (!config || !requestConfig) {
            error = ENOMEM;
            return nullptr;
        }
        gpiod_request_config_set_consumer(requestConfig.get(), kGpioConsumer);
        std::vector<unsigned> offsets;
        std::vector<unsigned> outputs;
        for (const GpioLineSetting& line : lines) {
            const LineSettings settings(gpiod_line_settings_new());
            if (!settings || !describe(settings.get(), line)
                || gpiod_line_config_add_line_settings(config.get(), &line.offset, 1, settings.get()) != 0) {
                error = errno != 0 ? errno : EINVAL;
                return nullptr;
            }
            offsets.push_back(line.offset);
            if (line.drive != GpioDrive::Input)
                outputs.push_back(line.offset);
        }
        LineRequest request(gpiod_chip_request_lines(chip_, requestConfig.get(), config.get()));
        if (!request) {
            error = errno;
            return nullptr;
        }
        return std::make_unique<Libgpiod2Request>(std::move(request), std::move(offsets), std::move(outputs));
    }

private:
    gpiod_chip* chip_;
};

} // namespace

std::unique_ptr<GpioChips> makeGpioChips(GpioDeviceFiles& files)
{
    return makeLibgpiodChips<Libgpiod2Chip>(files);
}

GpioChips& platformGpioChips()
{
    static auto* const chips = makeGpioChips(platformGpioDeviceFiles()).release();
    return *chips;
}

} // namespace corvant
