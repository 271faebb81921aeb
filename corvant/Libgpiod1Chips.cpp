// GPIO chips through libgpiod 1.6 (the character device's uAPI v1): each
// request has one drive, so the back end asks for one per drive; values are
// set and read in bulk.

#include "corvant/GpioChips.h"
#include "corvant/LibgpiodChipList.h"

#include <cerrno>
#include <gpiod.h>

namespace corvant {
namespace {

class Libgpiod1Request final : public GpioLineRequest {
public:
    Libgpiod1Request(const gpiod_line_bulk& bulk, bool outputs) : bulk_(bulk), outputs_(outputs) {}
    ~Libgpiod1Request() override { gpiod_line_release_bulk(&bulk_); }
    Libgpiod1Request(const Libgpiod1Request&) = delete;
    Libgpiod1Request& operator=(const Libgpiod1Request&) = delete;

    bool set(const std::vector<int>& levels) override
    {
        if (!outputs_ || levels.size() != bulk_.num_lines)
            return false;
        return gpiod_line_set_value_bulk(&bulk_, levels.data()) == 0;
    }

    bool get(std::size_t index, int& level) override
    {
        if (index >= bulk_.num_lines)
            return false;
        const int value = gpiod_line_get_value(bulk_.lines[index]);
        if (value < 0)
            return false;
        level = value;
        return true;
    }

private:
    gpiod_line_bulk bulk_;
    bool outputs_;
};

class Libgpiod1Chip final : public GpioChip {
public:
    explicit Libgpiod1Chip(gpiod_chip* chip) : chip_(chip) {}
    ~Libgpiod1Chip() override { gpiod_chip_close(chip_); }
    Libgpiod1Chip(const Libgpiod1Chip&) = delete;
    Libgpiod1Chip& operator=(const Libgpiod1Chip&) = delete;

    unsigned lineCount() const override { return gpiod_chip_num_lines(chip_); }

    std::string label() const override
    {
        const char* label = gpiod_chip_label(chip_);
        return label ? label : "";
    }

    std::optional<std::string> holder(unsigned offset) override
    {
        gpiod_line* line = gpiod_chip_get_line(chip_, offset);
        // Another program may have taken the line since the chip was opened.
        if (!line || gpiod_line_update(line) != 0 || !gpiod_line_is_used(line))
            return std::nullopt;
        const char* consumer = gpiod_line_consumer(line);
        return std::string(consumer ? consumer : "");
    }

    bool mixesDrives() const override { return false; }

    std::unique_ptr<GpioLineRequest> request(const std::vector<GpioLineSetting>& lines, int& error) override
    {
        if (lines.empty()) {
            error = EINVAL;
            return nullptr;
        }
        const GpioDrive drive = lines.front().drive;
        gpiod_line_bulk bulk;
        gpiod_line_bulk_init(&bulk);
        std::vector<int> levels;
        for (const GpioLineSetting& setting : lines) {
            gpiod_line* line = gpiod_chip_get_line(chip_, setting.offset);
            if (!line || setting.drive != drive) {
                error = line ? EINVAL : errno;
                return nullptr;
            }
            gpiod_line_bulk_add(&bulk, line);
            levels.push_back(setting.level);
        }
        gpiod_line_request_config config{};
        config.consumer = kGpioConsumer;
        config.request_type =
            drive == GpioDrive::Input ? GPIOD_LINE_REQUEST_DIRECTION_INPUT : GPIOD_LINE_REQUEST_DIRECTION_OUTPUT;
        config.flags = drive == GpioDrive::OpenDrain ? GPIOD_LINE_REQUEST_FLAG_OPEN_DRAIN : 0;
        if (gpiod_line_request_bulk(&bulk, &config, drive == GpioDrive::Input ? nullptr : levels.data()) != 0) {
            error = errno;
            return nullptr;
        }
        return std::make_unique<Libgpiod1Request>(bulk, drive != GpioDrive::Input);
    }

private:
    gpiod_chip* chip_;
};

} // namespace

std::unique_ptr<GpioChips> makeGpioChips(GpioDeviceFiles& files)
{
    return makeLibgpiodChips<Libgpiod1Chip>(files);
}

GpioChips& platformGpioChips()
{
    static auto* const chips = makeGpioChips(platformGpioDeviceFiles()).release();
    return *chips;
}

} // namespace corvant
