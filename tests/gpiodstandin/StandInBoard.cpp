#include "StandInBoard.h"

#include <dirent.h>
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <thread>

#include "corvant/sim/ChipImageFile.h"
#include "corvant/sim/SimPortOptions.h"
#include "sim/SimulatedChip.h"
#include "sim/Violation.h"

namespace sim = velmora::sim;

namespace standin {
namespace {

constexpr unsigned kVpp = 17;
constexpr unsigned kPgc = 27;
constexpr unsigned kPgd = 22;
constexpr unsigned kDataIn = 23;
constexpr unsigned kPgm = 24;
// A major number no real driver gets, so the sysfs nodes below cannot be real ones.
constexpr unsigned kMajor = 4095;

struct ChipFile {
    const char* path;
    const char* label;
    unsigned lines;
};
constexpr std::array<ChipFile, 2> kChips{{{"/dev/gpiochip0", "pinctrl-rp1", 54}, {"/dev/gpiochip1", "velmora-aux", 8}}};
constexpr const char* kLink = "/dev/gpiochip4";

struct Board {
    explicit Board(const sim::SimPortOptions& options)
        : chip(*options.chip), imagePath(options.imagePath), logicLevelMclr(options.lowVoltage)
    {
    }
    sim::SimulatedChip chip;
    std::string imagePath;
    // lvp in the board's SIM string: line 17 reaches MCLR at logic level, as mclr= wires it.
    bool logicLevelMclr;
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::vector<std::string> violations;
};

std::array<std::vector<Line>, kChips.size()> lines{std::vector<Line>(kChips[0].lines),
                                                   std::vector<Line>(kChips[1].lines)};
std::array<int, kChips.size()> opened{};
std::unique_ptr<Board> board;
std::size_t violationCount = 0;

sim::SimTime now()
{
    return std::chrono::duration_cast<sim::SimTime>(std::chrono::steady_clock::now() - board->start);
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
    for (const sim::Violation& violation : board->chip.violations())
        board->violations.push_back(std::string(sim::violationName(violation.kind)) + " " + violation.detail);
    for (const std::string& violation : board->violations) {
        std::fprintf(stderr, "gpiod stand-in: violation %s\n", violation.c_str());
        ++violationCount;
    }
    std::string error;
    if (!board->imagePath.empty() && !sim::saveChipImage(board->imagePath, board->chip.memory(), error))
        std::fprintf(stderr, "gpiod stand-in: %s\n", error.c_str());
    board.reset();
}

bool driven(const Line& line)
{
    return line.mode != Mode::Input && line.value != 0;
}

bool pgmWired(const std::vector<Line>& chipLines)
{
    return chipLines[kPgm].used && chipLines[kPgm].mode != Mode::Input;
}

// MCLR as the simulated chip takes it: at VDD on a PGM wiring or a board wired for the
// key, where the chip itself judges the low-voltage entry (its LVP bit, P15, P18, the
// key), at the programming voltage otherwise.
sim::McLr mclrLevel(const std::vector<Line>& chipLines)
{
    if (!driven(chipLines[kVpp]))
        return sim::McLr::Low;
    return pgmWired(chipLines) || board->logicLevelMclr ? sim::McLr::Vdd : sim::McLr::Vihh;
}

} // namespace

std::optional<unsigned> chipAt(const char* path)
{
    if (!path)
        return std::nullopt;
    if (std::strcmp(path, kLink) == 0)
        return 0;
    for (unsigned i = 0; i < kChips.size(); ++i)
        if (std::strcmp(path, kChips[i].path) == 0)
            return i;
    return std::nullopt;
}

bool openChip(unsigned index)
{
    if (index == 0 && opened[0] == 0 && !openBoard())
        return false;
    ++opened[index];
    return true;
}

std::optional<unsigned> openChipAt(const char* path)
{
    const auto index = chipAt(path);
    if (!index) {
        errno = ENOENT;
        return std::nullopt;
    }
    if (!openChip(*index)) {
        errno = EIO;
        return std::nullopt;
    }
    return index;
}

void closeChip(unsigned index)
{
    if (--opened[index] > 0 || index != 0 || !board)
        return;
    linesChanged(0);
    closeBoard();
}

std::vector<Line>& linesOf(unsigned index)
{
    return lines[index];
}

const char* pathOf(unsigned index)
{
    return kChips[index].path;
}

const char* labelOf(unsigned index)
{
    return kChips[index].label;
}

void linesChanged(unsigned index)
{
    if (index != 0 || !board)
        return;
    const std::vector<Line>& chipLines = lines[0];
    // An input or released PGD is pulled up, as the programmer's resistor does.
    const Line& pgd = chipLines[kPgd];
    const bool pgm = pgmWired(chipLines) && driven(chipLines[kPgm]);
    // PGM rises before MCLR and falls after it, when one write moves both.
    if (pgm)
        board->chip.setPgm(now(), true);
    board->chip.setLines(now(), mclrLevel(chipLines), pgd.mode == Mode::Input || pgd.value != 0,
                         driven(chipLines[kPgc]));
    if (!pgm)
        board->chip.setPgm(now(), false);
}

int readLine(unsigned index, unsigned offset)
{
    if (index == 0 && board && (offset == kPgd || offset == kDataIn))
        return board->chip.dataIn() ? 1 : 0;
    const Line& line = lines[index][offset];
    return line.mode == Mode::Input ? 0 : line.value;
}

void slowDown()
{
    static const long delay = [] {
        const char* text = std::getenv("VELMORA_GPIOD_STANDIN_DELAY_US");
        return text ? std::strtol(text, nullptr, 10) : 0L;
    }();
    if (delay > 0)
        std::this_thread::sleep_for(std::chrono::microseconds(delay));
}

} // namespace standin

// The device files, for the real lookup's calls: everything else goes to the C library.
namespace {

template <typename Function>
Function next(const char* name)
{
    void* found = dlsym(RTLD_NEXT, name);
    Function function = nullptr;
    static_assert(sizeof(function) == sizeof(found));
    std::memcpy(&function, &found, sizeof(found));
    return function;
}

std::optional<unsigned> sysfsNode(const char* path)
{
    for (unsigned i = 0; i < standin::kChips.size(); ++i) {
        const std::string node = "/sys/dev/char/" + std::to_string(standin::kMajor) + ":" + std::to_string(i) + "/subsystem";
        if (path && node == path)
            return i;
    }
    return std::nullopt;
}

char* answer(const char* text, char* resolved)
{
    if (resolved)
        return std::strcpy(resolved, text);
    return strdup(text);
}

dirent* entry(const char* name, unsigned char type)
{
    auto* made = static_cast<dirent*>(std::calloc(1, sizeof(dirent)));
    std::memcpy(made->d_name, name, std::min(std::strlen(name), sizeof(made->d_name) - 1));
    made->d_type = type;
    return made;
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) std::size_t velmora_gpiod_standin_violations()
{
    return standin::violationCount;
}

// The level line `offset` of gpiochip0 was last driven to, for tests that watch the lines.
__attribute__((visibility("default"))) int velmora_gpiod_standin_line(unsigned offset)
{
    return standin::linesOf(0).at(offset).value;
}

__attribute__((visibility("default"))) char* realpath(const char* path, char* resolved) noexcept
{
    if (const auto chip = standin::chipAt(path))
        return answer(standin::kChips[*chip].path, resolved);
    if (sysfsNode(path))
        return answer("/sys/bus/gpio", resolved);
    static const auto real = next<char* (*)(const char*, char*)>("realpath");
    return real(path, resolved);
}

__attribute__((visibility("default"))) int stat(const char* path, struct stat* status) noexcept
{
    if (const auto chip = standin::chipAt(path)) {
        *status = {};
        status->st_mode = S_IFCHR | 0660;
        status->st_rdev = makedev(standin::kMajor, *chip);
        return 0;
    }
    static const auto real = next<int (*)(const char*, struct stat*)>("stat");
    return real(path, status);
}

__attribute__((visibility("default"))) int scandir(const char* folder, dirent*** names,
                                                   int (*filter)(const dirent*),
                                                   int (*compare)(const dirent**, const dirent**))
{
    static const auto real = next<int (*)(const char*, dirent***, int (*)(const dirent*),
                                          int (*)(const dirent**, const dirent**))>("scandir");
    int count = real(folder, names, filter, compare);
    if (count < 0 || std::strcmp(folder, "/dev") != 0)
        return count;
    std::vector<dirent*> added;
    for (const auto& [path, type] : {std::pair{standin::kChips[0].path, DT_CHR}, std::pair{standin::kChips[1].path, DT_CHR},
                                     std::pair{standin::kLink, DT_LNK}}) {
        dirent* made = entry(path + std::strlen("/dev/"), static_cast<unsigned char>(type));
        if (filter && !filter(made))
            std::free(made);
        else
            added.push_back(made);
    }
    auto* grown = static_cast<dirent**>(std::realloc(*names, (static_cast<std::size_t>(count) + added.size()) * sizeof(dirent*)));
    if (!grown) {
        for (dirent* made : added)
            std::free(made);
        return count;
    }
    std::copy(added.begin(), added.end(), grown + count);
    count += static_cast<int>(added.size());
    if (compare)
        std::sort(grown, grown + count, [compare](const dirent* a, const dirent* b) { return compare(&a, &b) < 0; });
    *names = grown;
    return count;
}

} // extern "C"
