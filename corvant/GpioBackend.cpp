#include "corvant/GpioBackend.h"

#include "corvant/CorvantTexts.h"
#include "corvant/GpioChipLookup.h"

#include <cerrno>
#include <chrono>
#include <system_error>

namespace corvant {
namespace {

// PGM must be high at least P15 (2 us) before MCLR rises; the margin covers a
// slow edge through a level shifter and costs nothing against the entry's 200 ms.
constexpr std::chrono::microseconds kPgmBeforeMclr{5};

int physical(const GpioLine& line, bool on)
{
    return on != line.activeLow ? 1 : 0;
}

std::string lineName(const char* role, const GpioLine& line)
{
    return std::string(role) + "=" + std::to_string(line.offset) + (line.activeLow ? " active-low" : "");
}

std::string openFailure(const std::string& chip, int error)
{
    std::string failure = std::string(texts::kGpioCannotOpenChip) + chip;
    if (error == ENOTTY)
        return failure + std::string(texts::kGpioNotAChip);
    if (error == ENOENT)
        return failure + std::string(texts::kGpioNoSuchChip);
    failure += ": " + std::system_category().message(error);
    if (error == EACCES || error == EPERM)
        failure += texts::kGpioPermissionHint;
    return failure;
}

// Busy: a sleep would be far longer than the wait, and PGM high with MCLR low
// is harmless, but the entry should not stretch by a scheduler tick.
void waitAtLeast(std::chrono::microseconds time)
{
    const auto until = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < until) {
    }
}

// The name the user gave, and the device found for it when that says more.
std::string chipName(const std::string& name, const std::string& path)
{
    if (path.empty() || name == path || path.ends_with("/" + name))
        return name;
    return name + std::string(texts::kGpioAt) + path;
}

} // namespace

std::unique_ptr<PinBackend> GpioBackend::open(GpioChips& chips, const GpioWiring& wiring, std::string& failure)
{
    const std::string unavailable = chips.unavailable();
    if (!unavailable.empty()) {
        failure = unavailable;
        return nullptr;
    }
    int error = 0;
    GpioDeviceFile device;
    auto chip = openGpioChip(chips, wiring.chip, device, error);
    if (!chip) {
        failure = openFailure(wiring.chip, error);
        return nullptr;
    }
    std::unique_ptr<GpioBackend> backend(new GpioBackend(std::move(chip), wiring, device.path));
    if (!backend->checkLines(failure) || !backend->requestLines(failure))
        return nullptr;
    return backend;
}

GpioBackend::GpioBackend(std::unique_ptr<GpioChip> chip, GpioWiring wiring, std::string devicePath)
    : chip_(std::move(chip)), wiring_(std::move(wiring)), devicePath_(std::move(devicePath))
{
}

GpioBackend::~GpioBackend()
{
    close();
}

bool GpioBackend::checkLines(std::string& failure)
{
    std::vector<std::pair<const char*, GpioLine>> lines{
        {wiring_.logicLevelMclr ? "mclr" : "vpp", wiring_.vpp}, {"pgc", wiring_.pgc}, {"pgd", wiring_.pgd}};
    if (wiring_.pgdIn)
        lines.emplace_back("pgdin", *wiring_.pgdIn);
    if (wiring_.pgm)
        lines.emplace_back("pgm", *wiring_.pgm);
    const unsigned count = chip_->lineCount();
    for (const auto& [role, line] : lines) {
        const std::string name = "line " + std::to_string(line.offset) + " (" + role + ")";
        if (line.offset >= count) {
            failure = name + (count == 0 ? std::string(texts::kGpioNoLines)
                                         : std::string(texts::kGpioOutOfRange) + std::to_string(count - 1))
                + " on " + wiring_.chip;
            return false;
        }
        const auto holder = chip_->holder(line.offset);
        if (holder) {
            failure = name + " on " + wiring_.chip + std::string(texts::kGpioHeldBy)
                + (holder->empty() ? std::string(texts::kGpioHeldByUnnamed) : "\"" + *holder + "\"");
            return false;
        }
    }
    return true;
}

void GpioBackend::place(const GpioLine& line, GpioDrive drive, int level, Placement& where)
{
    // libgpiod 1.6 takes one drive per request: the push-pull outputs, then the data line.
    where.request = chip_->mixesDrives() || drive == GpioDrive::PushPull ? 0 : 1;
    if (requests_.size() <= where.request)
        requests_.resize(where.request + 1);
    Request& request = requests_[where.request];
    where.index = request.lines.size();
    where.output = request.levels.size();
    request.lines.push_back(GpioLineSetting{line.offset, drive, level});
    if (drive != GpioDrive::Input)
        request.levels.push_back(level);
}

bool GpioBackend::requestLines(std::string& failure)
{
    place(wiring_.vpp, GpioDrive::PushPull, physical(wiring_.vpp, false), vpp_);
    if (wiring_.pgm)
        place(*wiring_.pgm, GpioDrive::PushPull, physical(*wiring_.pgm, false), pgm_);
    place(wiring_.pgc, GpioDrive::PushPull, physical(wiring_.pgc, false), pgc_);
    place(wiring_.pgd, separateDataLine() ? GpioDrive::OpenDrain : GpioDrive::PushPull,
          physical(wiring_.pgd, false), pgd_);
    dataIn_ = pgd_;
    if (wiring_.pgdIn)
        place(*wiring_.pgdIn, GpioDrive::Input, 0, dataIn_);

    int error = 0;
    for (Request& request : requests_) {
        request.held = chip_->request(request.lines, error);
        if (!request.held) {
            failure = std::string(texts::kGpioCannotRequest) + describe() + ": "
                + std::system_category().message(error);
            if (error == EACCES || error == EPERM)
                failure += texts::kGpioPermissionHint;
            requests_.clear();
            return false;
        }
    }
    return true;
}

bool GpioBackend::apply(const Signals& signals)
{
    const auto setTo = [](std::vector<std::vector<int>>& levels, const Placement& where, const GpioLine& line,
                              bool on) { levels[where.request][where.output] = physical(line, on); };
    // Reused from call to call: a write is one kernel call, and should cost little more.
    std::vector<std::vector<int>>& levels = wanted_;
    levels.resize(requests_.size());
    for (std::size_t i = 0; i < requests_.size(); ++i)
        levels[i] = requests_[i].levels;
    setTo(levels, vpp_, wiring_.vpp, signals.vpp);
    if (wiring_.pgm)
        setTo(levels, pgm_, *wiring_.pgm, signals.pgm);
    setTo(levels, pgc_, wiring_.pgc, signals.pgc);
    setTo(levels, pgd_, wiring_.pgd, signals.pgd);
    // With two requests the data line's goes first: data settles before the clock moves.
    for (std::size_t i = requests_.size(); i-- > 0;) {
        Request& request = requests_[i];
        if (levels[i] == request.levels)
            continue;
        if (!request.held->set(levels[i]))
            return false;
        request.levels = levels[i];
    }
    signals_ = signals;
    return true;
}

bool GpioBackend::setVpp(bool on)
{
    if (requests_.empty())
        return false;
    Signals wanted = signals_;
    wanted.vpp = on;
    wanted.pgm = wiring_.pgm && on;
    // Low-voltage entry: PGM is high whenever MCLR is, rising before it and falling after.
    if (wanted.pgm && !signals_.pgm) {
        Signals pgmFirst = signals_;
        pgmFirst.pgm = true;
        if (!apply(pgmFirst))
            return false;
        waitAtLeast(kPgmBeforeMclr);
    } else if (!wanted.pgm && signals_.pgm) {
        Signals mclrFirst = wanted;
        mclrFirst.pgm = true;
        if (!apply(mclrFirst))
            return false;
    }
    return apply(wanted);
}

bool GpioBackend::setDataClock(bool data, bool clock)
{
    if (requests_.empty())
        return false;
    Signals wanted = signals_;
    wanted.pgd = data;
    wanted.pgc = clock;
    return apply(wanted);
}

bool GpioBackend::read(std::uint8_t& level)
{
    level = 0;
    if (requests_.empty())
        return false;
    int sampled = 0;
    if (!requests_[dataIn_.request].held->get(dataIn_.index, sampled))
        return false;
    const GpioLine& line = separateDataLine() ? wiring_.pgd : *wiring_.pgdIn;
    level = (sampled != 0) != line.activeLow ? 1 : 0;
    return true;
}

bool GpioBackend::close()
{
    while (!requests_.empty())
        requests_.pop_back();
    chip_.reset();
    return true;
}

std::string GpioBackend::describe() const
{
    std::string text = std::string(texts::kGpioProgrammer) + chipName(wiring_.chip, devicePath_);
    if (wiring_.pgm)
        text += std::string(texts::kGpioLowVoltage) + " (" + lineName("MCLR", wiring_.vpp) + ", "
            + lineName("PGM", *wiring_.pgm) + ", ";
    else if (wiring_.logicLevelMclr)
        text += std::string(texts::kGpioKeyEntry) + " (" + lineName("MCLR", wiring_.vpp) + ", ";
    else
        text += " (" + lineName("Vpp", wiring_.vpp) + ", ";
    text += lineName("PGC", wiring_.pgc) + ", " + lineName("PGD", wiring_.pgd);
    if (wiring_.pgdIn)
        text += " push-pull, " + lineName("data in", *wiring_.pgdIn) + ")";
    else
        text += texts::kGpioDataInOnPgd;
    return text;
}

BackendEntry gpioBackendEntry(GpioChips& chips)
{
    return {PortKind::Gpio, [&chips](const std::string& port, std::string& failure) -> std::unique_ptr<PinBackend> {
                const auto wiring = parseGpioPort(port, failure);
                if (!wiring) {
                    failure = "\"" + port + "\": " + failure;
                    return nullptr;
                }
                return GpioBackend::open(chips, *wiring, failure);
            }};
}

} // namespace corvant
