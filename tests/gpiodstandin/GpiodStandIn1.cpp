// libgpiod 1.6's chip and line calls as the GPIO back end makes them, on the
// stand-in board (StandInBoard.h). velmora_gpiod_standin_violations() counts
// the violations for a program linked to the stand-in.

#include <gpiod.h>

#include <cerrno>

#include "StandInBoard.h"

struct gpiod_line {
    struct gpiod_chip* chip = nullptr;
    unsigned offset = 0;
};

struct gpiod_chip {
    unsigned index = 0;
    std::vector<gpiod_line> lines;
};

namespace {

standin::Line& lineOf(const gpiod_line* line)
{
    return standin::linesOf(line->chip->index)[line->offset];
}

} // namespace

extern "C" {

struct gpiod_chip* gpiod_chip_open(const char* path)
{
    const auto index = standin::openChipAt(path);
    if (!index)
        return nullptr;
    auto* chip = new gpiod_chip;
    chip->index = *index;
    chip->lines.resize(standin::linesOf(*index).size());
    for (unsigned i = 0; i < chip->lines.size(); ++i)
        chip->lines[i] = gpiod_line{chip, i};
    return chip;
}

void gpiod_chip_close(struct gpiod_chip* chip)
{
    standin::closeChip(chip->index);
    delete chip;
}

const char* gpiod_chip_label(struct gpiod_chip* chip)
{
    return standin::labelOf(chip->index);
}

unsigned int gpiod_chip_num_lines(struct gpiod_chip* chip)
{
    return static_cast<unsigned>(chip->lines.size());
}

struct gpiod_line* gpiod_chip_get_line(struct gpiod_chip* chip, unsigned int offset)
{
    if (offset >= chip->lines.size()) {
        errno = EINVAL;
        return nullptr;
    }
    return &chip->lines[offset];
}

int gpiod_line_update(struct gpiod_line*)
{
    return 0;
}

bool gpiod_line_is_used(struct gpiod_line* line)
{
    return lineOf(line).used;
}

const char* gpiod_line_consumer(struct gpiod_line* line)
{
    return lineOf(line).used ? standin::kConsumer : nullptr;
}

int gpiod_line_request_bulk(struct gpiod_line_bulk* bulk, const struct gpiod_line_request_config* config,
                            const int* default_vals)
{
    for (unsigned i = 0; i < bulk->num_lines; ++i) {
        if (lineOf(bulk->lines[i]).used) {
            errno = EBUSY;
            return -1;
        }
    }
    const bool output = config->request_type == GPIOD_LINE_REQUEST_DIRECTION_OUTPUT;
    const bool openDrain = (config->flags & GPIOD_LINE_REQUEST_FLAG_OPEN_DRAIN) != 0;
    for (unsigned i = 0; i < bulk->num_lines; ++i) {
        standin::Line& line = lineOf(bulk->lines[i]);
        line.used = true;
        line.mode = !output ? standin::Mode::Input : openDrain ? standin::Mode::OpenDrain : standin::Mode::PushPull;
        line.value = output && default_vals ? default_vals[i] : 0;
    }
    if (bulk->num_lines > 0)
        standin::linesChanged(bulk->lines[0]->chip->index);
    return 0;
}

void gpiod_line_release_bulk(struct gpiod_line_bulk* bulk)
{
    // The lines go back to inputs; their last level stays for tests to see.
    for (unsigned i = 0; i < bulk->num_lines; ++i) {
        lineOf(bulk->lines[i]).used = false;
        lineOf(bulk->lines[i]).mode = standin::Mode::Input;
    }
    if (bulk->num_lines > 0)
        standin::linesChanged(bulk->lines[0]->chip->index);
}

int gpiod_line_set_value_bulk(struct gpiod_line_bulk* bulk, const int* values)
{
    if (bulk->num_lines == 0) {
        errno = EINVAL;
        return -1;
    }
    standin::slowDown();
    for (unsigned i = 0; i < bulk->num_lines; ++i) {
        standin::Line& line = lineOf(bulk->lines[i]);
        if (!line.used || line.mode == standin::Mode::Input) {
            errno = EPERM;
            return -1;
        }
        line.value = values[i];
    }
    // Every line of a bulk belongs to one chip.
    standin::linesChanged(bulk->lines[0]->chip->index);
    return 0;
}

int gpiod_line_get_value(struct gpiod_line* line)
{
    if (!lineOf(line).used) {
        errno = EPERM;
        return -1;
    }
    standin::slowDown();
    return standin::readLine(line->chip->index, line->offset);
}

} // extern "C"
