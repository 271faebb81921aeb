// libgpiod 2.x's chip, settings and request calls as the GPIO back end makes
// them, on the stand-in board (StandInBoard.h), with the uAPI v2 rules: lines
// of different drives in one request, EBUSY for a held line, EPERM for setting
// an input, every line back to an input when its request is released.

#include <gpiod.h>

#include <cerrno>
#include <map>
#include <string>
#include <vector>

#include "StandInBoard.h"

struct gpiod_chip {
    unsigned index = 0;
};

struct gpiod_chip_info {
    std::string name;
    std::string label;
    std::size_t lines = 0;
};

struct gpiod_line_info {
    bool used = false;
};

struct gpiod_line_settings {
    gpiod_line_direction direction = GPIOD_LINE_DIRECTION_AS_IS;
    gpiod_line_drive drive = GPIOD_LINE_DRIVE_PUSH_PULL;
    gpiod_line_value value = GPIOD_LINE_VALUE_INACTIVE;
};

struct gpiod_line_config {
    std::map<unsigned, gpiod_line_settings> lines;
};

struct gpiod_request_config {
    std::string consumer;
};

struct gpiod_line_request {
    unsigned chip = 0;
    std::vector<unsigned> offsets;
};

namespace {

standin::Line* requested(gpiod_line_request* request, unsigned offset)
{
    for (unsigned held : request->offsets)
        if (held == offset)
            return &standin::linesOf(request->chip)[offset];
    return nullptr;
}

} // namespace

extern "C" {

struct gpiod_chip* gpiod_chip_open(const char* path)
{
    const auto index = standin::openChipAt(path);
    if (!index)
        return nullptr;
    return new gpiod_chip{*index};
}

void gpiod_chip_close(struct gpiod_chip* chip)
{
    standin::closeChip(chip->index);
    delete chip;
}

struct gpiod_chip_info* gpiod_chip_get_info(struct gpiod_chip* chip)
{
    const std::string path = standin::pathOf(chip->index);
    return new gpiod_chip_info{path.substr(path.rfind('/') + 1), standin::labelOf(chip->index),
                               standin::linesOf(chip->index).size()};
}

void gpiod_chip_info_free(struct gpiod_chip_info* info)
{
    delete info;
}

const char* gpiod_chip_info_get_label(struct gpiod_chip_info* info)
{
    return info->label.c_str();
}

size_t gpiod_chip_info_get_num_lines(struct gpiod_chip_info* info)
{
    return info->lines;
}

struct gpiod_line_info* gpiod_chip_get_line_info(struct gpiod_chip* chip, unsigned int offset)
{
    const std::vector<standin::Line>& lines = standin::linesOf(chip->index);
    if (offset >= lines.size()) {
        errno = EINVAL;
        return nullptr;
    }
    return new gpiod_line_info{lines[offset].used};
}

void gpiod_line_info_free(struct gpiod_line_info* info)
{
    delete info;
}

bool gpiod_line_info_is_used(struct gpiod_line_info* info)
{
    return info->used;
}

const char* gpiod_line_info_get_consumer(struct gpiod_line_info* info)
{
    return info->used ? standin::kConsumer : nullptr;
}

struct gpiod_line_settings* gpiod_line_settings_new(void)
{
    return new gpiod_line_settings;
}

void gpiod_line_settings_free(struct gpiod_line_settings* settings)
{
    delete settings;
}

int gpiod_line_settings_set_direction(struct gpiod_line_settings* settings, enum gpiod_line_direction direction)
{
    settings->direction = direction;
    return 0;
}

int gpiod_line_settings_set_drive(struct gpiod_line_settings* settings, enum gpiod_line_drive drive)
{
    if (drive == GPIOD_LINE_DRIVE_OPEN_SOURCE) {
        errno = EINVAL;
        return -1;
    }
    settings->drive = drive;
    return 0;
}

int gpiod_line_settings_set_output_value(struct gpiod_line_settings* settings, enum gpiod_line_value value)
{
    settings->value = value;
    return 0;
}

struct gpiod_line_config* gpiod_line_config_new(void)
{
    return new gpiod_line_config;
}

void gpiod_line_config_free(struct gpiod_line_config* config)
{
    delete config;
}

int gpiod_line_config_add_line_settings(struct gpiod_line_config* config, const unsigned int* offsets,
                                        size_t num_offsets, struct gpiod_line_settings* settings)
{
    for (std::size_t i = 0; i < num_offsets; ++i)
        config->lines[offsets[i]] = *settings;
    return 0;
}

struct gpiod_request_config* gpiod_request_config_new(void)
{
    return new gpiod_request_config;
}

void gpiod_request_config_free(struct gpiod_request_config* config)
{
    delete config;
}

void gpiod_request_config_set_consumer(struct gpiod_request_config* config, const char* consumer)
{
    config->consumer = consumer ? consumer : "";
}

struct gpiod_line_request* gpiod_chip_request_lines(struct gpiod_chip* chip, struct gpiod_request_config*,
                                                    struct gpiod_line_config* config)
{
    std::vector<standin::Line>& lines = standin::linesOf(chip->index);
    for (const auto& [offset, settings] : config->lines) {
        if (offset >= lines.size() || settings.direction == GPIOD_LINE_DIRECTION_AS_IS) {
            errno = EINVAL;
            return nullptr;
        }
        if (lines[offset].used) {
            errno = EBUSY;
            return nullptr;
        }
    }
    auto* request = new gpiod_line_request{chip->index, {}};
    for (const auto& [offset, settings] : config->lines) {
        standin::Line& line = lines[offset];
        line.used = true;
        const bool output = settings.direction == GPIOD_LINE_DIRECTION_OUTPUT;
        line.mode = !output ? standin::Mode::Input
            : settings.drive == GPIOD_LINE_DRIVE_OPEN_DRAIN ? standin::Mode::OpenDrain
                                                            : standin::Mode::PushPull;
        line.value = output && settings.value == GPIOD_LINE_VALUE_ACTIVE ? 1 : 0;
        request->offsets.push_back(offset);
    }
    standin::linesChanged(chip->index);
    return request;
}

void gpiod_line_request_release(struct gpiod_line_request* request)
{
    // The lines go back to inputs; their last level stays for tests to see.
    for (unsigned offset : request->offsets) {
        standin::linesOf(request->chip)[offset].used = false;
        standin::linesOf(request->chip)[offset].mode = standin::Mode::Input;
    }
    standin::linesChanged(request->chip);
    delete request;
}

int gpiod_line_request_set_values_subset(struct gpiod_line_request* request, size_t num_values,
                                         const unsigned int* offsets, const enum gpiod_line_value* values)
{
    standin::slowDown();
    // One ioctl: either every line takes its value or none does.
    for (std::size_t i = 0; i < num_values; ++i) {
        const standin::Line* line = requested(request, offsets[i]);
        if (!line || line->mode == standin::Mode::Input) {
            errno = line ? EPERM : EINVAL;
            return -1;
        }
    }
    for (std::size_t i = 0; i < num_values; ++i)
        requested(request, offsets[i])->value = values[i] == GPIOD_LINE_VALUE_ACTIVE ? 1 : 0;
    standin::linesChanged(request->chip);
    return 0;
}

enum gpiod_line_value gpiod_line_request_get_value(struct gpiod_line_request* request, unsigned int offset)
{
    if (!requested(request, offset)) {
        errno = EINVAL;
        return GPIOD_LINE_VALUE_ERROR;
    }
    standin::slowDown();
    return standin::readLine(request->chip, offset) != 0 ? GPIOD_LINE_VALUE_ACTIVE : GPIOD_LINE_VALUE_INACTIVE;
}

} // extern "C"
