// libgpiod's chip and line calls as the GPIO back end makes them, on one chip
// "gpiochip0" (also "0" and "/dev/gpiochip0") of 54 lines with a simulated
// PIC18F wired to them: Vpp on 17, PGC on 27, PGD on 22 (read back there when
// it is open-drain) and the chip's data also on 23 for a separate data-in line.
//
// The chip comes from VELMORA_GPIOD_STANDIN, a SIM port string such as
// "SIM:PIC18F452,image=chip.hex"; its memory is loaded when the chip is opened
// and saved when it is closed. Every protocol or timing violation the chip saw
// is printed to stderr as "gpiod stand-in: violation ..." when it is closed.
//
// VELMORA_GPIOD_STANDIN_DELAY_US makes every line set and get take that long, as
// on a slow port. velmora_gpiod_standin_violations() counts the violations for a
// program linked to the stand-in.

#include <gpiod.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sim/ChipImageFile.h"
#include "sim/SimPortOptions.h"
#include "sim/SimulatedChip.h"
#include "sim/Violation.h"

namespace sim = velmora::sim;

struct gpiod_line {
    struct gpiod_chip* chip = nullptr;
    unsigned offset = 0;
    bool used = false;
    bool output = false;
    int value = 0;
};

struct gpiod_chip {
    std::vector<gpiod_line> lines;
};

namespace {

constexpr unsigned kLineCount = 54;
constexpr unsigned kVpp = 17;
constexpr unsigned kPgc = 27;
constexpr unsigned kPgd = 22;
constexpr unsigned kDataIn = 23;

struct Board {
    explicit Board(const sim::SimPortOptions& options) : chip(*options.chip), imagePath(options.imagePath) {}
    sim::SimulatedChip chip;
    std::string imagePath;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::size_t violationsSeen = 0;
};

std::unique_ptr<Board> board;
std::size_t violationCount = 0;

void slowDown()
{
    static const long delay = [] {
        const char* text = std::getenv("VELMORA_GPIOD_STANDIN_DELAY_US");
        return text ? std::strtol(text, nullptr, 10) : 0L;
    }();
    if (delay > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
}

sim::SimTime now()
{
    return std::chrono::duration_cast<sim::SimTime>(std::chrono::steady_clock::now() - board->start);
}

void linesChanged(gpiod_chip& chip)
{
    const auto level = [&](unsigned offset) { return chip.lines[offset].output && chip.lines[offset].value != 0; };
    // An input or released PGD is pulled up, as the programmer's resistor does.
    const gpiod_line& pgd = chip.lines[kPgd];
    board->chip.setLines(now(), level(kVpp), !pgd.output || pgd.value != 0, level(kPgc));
}

bool openBoard()
{
    const char* port = std::getenv("VELMORA_GPIOD_STANDIN");
    const auto options = sim::parseSimPort(port ? port : "SIM");
    if (!options)
        return false;
    board = std::make_unique<Board>(*options);
    std::string error;
    if (!board->imagePath.empty()
        && sim::loadChipImage(board->imagePath, board->chip.memory(), error) == sim::ImageLoad::Invalid) {
        std::fprintf(stderr, "gpiod stand-in: %s\n", error.c_str());
        board.reset();
        return false;
    }
    return true;
}

void closeBoard()
{
    for (const sim::Violation& violation : board->chip.violations()) {
        std::fprintf(stderr, "gpiod stand-in: violation %s %s\n", std::string(sim::violationName(violation.kind)).c_str(),
                     violation.detail.c_str());
        ++violationCount;
    }
    std::string error;
    if (!board->imagePath.empty() && !sim::saveChipImage(board->imagePath, board->chip.memory(), error))
        std::fprintf(stderr, "gpiod stand-in: %s\n", error.c_str());
    board.reset();
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) std::size_t velmora_gpiod_standin_violations()
{
    return violationCount;
}

struct gpiod_chip* gpiod_chip_open_lookup(const char* descr)
{
    if (!descr || (std::strcmp(descr, "gpiochip0") != 0 && std::strcmp(descr, "0") != 0
                   && std::strcmp(descr, "/dev/gpiochip0") != 0)) {
        errno = ENOENT;
        return nullptr;
    }
    if (board || !openBoard()) {
        errno = EBUSY;
        return nullptr;
    }
    auto* chip = new gpiod_chip;
    chip->lines.resize(kLineCount);
    for (unsigned i = 0; i < kLineCount; ++i) {
        chip->lines[i].chip = chip;
        chip->lines[i].offset = i;
    }
    return chip;
}

void gpiod_chip_close(struct gpiod_chip* chip)
{
    if (board) {
        linesChanged(*chip);
        closeBoard();
    }
    delete chip;
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
    return line->used;
}

const char* gpiod_line_consumer(struct gpiod_line* line)
{
    return line->used ? "velmora" : nullptr;
}

int gpiod_line_request_bulk(struct gpiod_line_bulk* bulk, const struct gpiod_line_request_config* config,
                            const int* default_vals)
{
    for (unsigned i = 0; i < bulk->num_lines; ++i) {
        if (bulk->lines[i]->used) {
            errno = EBUSY;
            return -1;
        }
    }
    const bool output = config->request_type == GPIOD_LINE_REQUEST_DIRECTION_OUTPUT;
    for (unsigned i = 0; i < bulk->num_lines; ++i) {
        gpiod_line& line = *bulk->lines[i];
        line.used = true;
        line.output = output;
        line.value = output && default_vals ? default_vals[i] : 0;
    }
    return 0;
}

void gpiod_line_release_bulk(struct gpiod_line_bulk* bulk)
{
    for (unsigned i = 0; i < bulk->num_lines; ++i) {
        bulk->lines[i]->used = false;
        bulk->lines[i]->output = false;
    }
}

int gpiod_line_set_value_bulk(struct gpiod_line_bulk* bulk, const int* values)
{
    if (!board || bulk->num_lines == 0) {
        errno = EINVAL;
        return -1;
    }
    slowDown();
    for (unsigned i = 0; i < bulk->num_lines; ++i)
        bulk->lines[i]->value = values[i];
    // Every line of a bulk belongs to one chip: the one the board is on.
    linesChanged(*bulk->lines[0]->chip);
    return 0;
}

int gpiod_line_get_value(struct gpiod_line* line)
{
    if (!board) {
        errno = EINVAL;
        return -1;
    }
    slowDown();
    if (line->offset == kPgd || line->offset == kDataIn)
        return board->chip.dataIn() ? 1 : 0;
    return line->value;
}

} // extern "C"
