// GPIO chips through libgpiod 1.6 (the character device's uAPI v1): one line
// request per drive, values set and read in bulk.

#include "corvant/GpioChips.h"

#include <cerrno>
#include <gpiod.h>

namespace corvant {
namespace {

class LibgpiodRequest final : public GpioLineRequest {
public:
    explicit LibgpiodRequest(const gpiod_line_bulk& bulk) : bulk_(bulk) {}
    ~LibgpiodRequest() override { gpiod_line_release_bulk(&bulk_); }
    LibgpiodRequest(const LibgpiodRequest&) = delete;
    LibgpiodRequest& operator=(const LibgpiodRequest&) = delete;

    bool set(const std::vector<int>& levels) override
    {
        if (levels.size() != bulk_.num_lines)
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
};

class LibgpiodChip final : public GpioChip {
public:
    explicit LibgpiodChip(gpiod_chip* chip) : chip_(chip) {}
    ~LibgpiodChip() override { gpiod_chip_close(chip_); }
    LibgpiodChip(const LibgpiodChip&) = delete;
    LibgpiodChip& operator=(const LibgpiodChip&) = delete;

    unsigned lineCount() const override { return gpiod_chip_num_lines(chip_); }

    std::optional<std::string> holder(unsigned offset) override
    {
        gpiod_line* line = gpiod_chip_get_line(chip_, offset);
        // Another program may have taken the line since the chip was opened.
        if (!line || gpiod_line_update(line) != 0 || !gpiod_line_is_used(line))
            return std::nullopt;
        const char* consumer = gpiod_line_consumer(line);
        return std::string(consumer ? consumer : "");
    }

    std::unique_ptr<GpioLineRequest> request(const std::vector<unsigned>& offsets, GpioDrive drive,
                                             const std::vector<int>& levels, int& error) override
    {
        gpiod_line_bulk bulk;
        gpiod_line_bulk_init(&bulk);
        for (unsigned offset : offsets) {
            gpiod_line* line = gpiod_chip_get_line(chip_, offset);
            if (!line) {
                error = errno;
                return nullptr;
            }
            gpiod_line_bulk_add(&bulk, line);
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
        return std::make_unique<LibgpiodRequest>(bulk);
    }

private:
    gpiod_chip* chip_;
};

class LibgpiodChips final : public GpioChips {
public:
    std::unique_ptr<GpioChip> open(const std::string& name, int& error) override
    {
        gpiod_chip* chip = gpiod_chip_open_lookup(name.c_str());
        if (!chip) {
            // The lookup tries name, number, label and path and may leave errno 0.
            error = errno != 0 ? errno : ENOENT;
            return nullptr;
        }
        return std::make_unique<LibgpiodChip>(chip);
    }

    std::string unavailable() const override { return {}; }
};

} // namespace

GpioChips& platformGpioChips()
{
    static auto* const chips = new LibgpiodChips();
    return *chips;
}

} // namespace corvant
