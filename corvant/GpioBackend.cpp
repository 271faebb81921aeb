#include "corvant/GpioBackend.h"

#include "corvant/CorvantTexts.h"

#include <cerrno>
#include <system_error>

namespace corvant {
namespace {

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
    std::string failure = std::string(texts::kGpioCannotOpenChip) + chip + ": " + std::system_category().message(error);
    if (error == EACCES || error == EPERM)
        failure += texts::kGpioPermissionHint;
    return failure;
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
    auto chip = chips.open(wiring.chip, error);
    if (!chip) {
        failure = openFailure(wiring.chip, error);
        return nullptr;
    }
    std::unique_ptr<GpioBackend> backend(new GpioBackend(std::move(chip), wiring));
    if (!backend->checkLines(failure) || !backend->requestLines(failure))
        return nullptr;
    return backend;
}

GpioBackend::GpioBackend(std::unique_ptr<GpioChip> chip, GpioWiring wiring)
    : chip_(std::move(chip)), wiring_(std::move(wiring))
{
}

GpioBackend::~GpioBackend()
{
    close();
}

bool GpioBackend::checkLines(std::string& failure)
{
    std::vector<std::pair<const char*, GpioLine>> lines{{"vpp", wiring_.vpp}, {"pgc", wiring_.pgc}, {"pgd", wiring_.pgd}};
    if (wiring_.pgdIn)
        lines.emplace_back("pgdin", *wiring_.pgdIn);
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

bool GpioBackend::requestLines(std::string& failure)
{
    std::vector<unsigned> offsets{wiring_.vpp.offset, wiring_.pgc.offset};
    std::vector<int> levels{physical(wiring_.vpp, false), physical(wiring_.pgc, false)};
    if (!separateDataLine()) {
        offsets.push_back(wiring_.pgd.offset);
        levels.push_back(physical(wiring_.pgd, false));
    }
    int error = 0;
    // Vpp is requested (inactive) before anything else moves.
    outputs_ = chip_->request(offsets, GpioDrive::PushPull, levels, error);
    if (outputs_) {
        const GpioLine& data = separateDataLine() ? wiring_.pgd : *wiring_.pgdIn;
        dataLine_ = chip_->request({data.offset}, separateDataLine() ? GpioDrive::OpenDrain : GpioDrive::Input,
                                   {physical(data, false)}, error);
    }
    if (outputs_ && dataLine_)
        return true;
    failure = std::string(texts::kGpioCannotRequest) + describe() + ": " + std::system_category().message(error);
    if (error == EACCES || error == EPERM)
        failure += texts::kGpioPermissionHint;
    outputs_.reset();
    dataLine_.reset();
    return false;
}

bool GpioBackend::write(std::uint8_t vpp, std::uint8_t data, std::uint8_t clock)
{
    if (!outputs_)
        return false;
    const bool vppOn = vpp != 0;
    const int pgd = physical(wiring_.pgd, data != 0);
    std::vector<int> levels{physical(wiring_.vpp, vppOn), physical(wiring_.pgc, clock != 0)};
    if (!separateDataLine()) {
        levels.push_back(pgd);
        if (!outputs_->set(levels))
            return false;
        vppOn_ = vppOn;
        return true;
    }
    // Two requests: Vpp leaves first and comes last, so data never changes under
    // a programming voltage that is about to go or come.
    const bool vppFirst = vppOn_ && !vppOn;
    if (vppFirst && !outputs_->set(levels))
        return false;
    if (!dataLine_->set({pgd}))
        return false;
    if (!vppFirst && !outputs_->set(levels))
        return false;
    vppOn_ = vppOn;
    return true;
}

bool GpioBackend::read(std::uint8_t& level)
{
    level = 0;
    if (!dataLine_)
        return false;
    int sampled = 0;
    if (!dataLine_->get(0, sampled))
        return false;
    const GpioLine& line = separateDataLine() ? wiring_.pgd : *wiring_.pgdIn;
    level = (sampled != 0) != line.activeLow ? 1 : 0;
    return true;
}

bool GpioBackend::close()
{
    if (!outputs_)
        return true;
    const bool inactive = write(0, 0, 0);
    dataLine_.reset();
    outputs_.reset();
    chip_.reset();
    return inactive;
}

std::string GpioBackend::describe() const
{
    std::string text = std::string(texts::kGpioProgrammer) + wiring_.chip + " (" + lineName("Vpp", wiring_.vpp) + ", "
        + lineName("PGC", wiring_.pgc) + ", " + lineName("PGD", wiring_.pgd);
    if (wiring_.pgdIn)
        text += " push-pull, " + lineName("data in", *wiring_.pgdIn) + ")";
    else
        text += texts::kGpioDataInOnPgd;
    return text;
}

BackendEntry gpioBackendEntry(GpioChips& chips)
{
    return {kGpioPrefix, [&chips](const std::string& port, std::string& failure) -> std::unique_ptr<PinBackend> {
                const auto wiring = parseGpioPort(port, failure);
                if (!wiring) {
                    failure = "\"" + port + "\": " + failure;
                    return nullptr;
                }
                return GpioBackend::open(chips, *wiring, failure);
            }};
}

} // namespace corvant
