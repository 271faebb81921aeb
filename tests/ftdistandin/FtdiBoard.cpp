#include "FtdiBoard.h"

#include <algorithm>

#include "corvant/FtdiPortOptions.h"
#include "corvant/sim/ChipImageFile.h"
#include "sim/Violation.h"

namespace ftdistandin {

namespace sim = velmora::sim;

std::optional<Wiring> parseWiring(std::string_view text)
{
    std::string failure;
    const auto port = corvant::parseFtdiPort("FTDI:0403:6001" + (text.empty() ? "" : "," + std::string(text)), failure);
    if (!port)
        return std::nullopt;
    return Wiring{port->vpp, !port->logicLevelMclr, port->pgc, port->pgd, port->pgdIn, port->pgm};
}

FtdiBoard::FtdiBoard(const sim::SimPortOptions& options, const Wiring& wiring)
    : chip_(*options.chip, options.faults), imagePath_(options.imagePath), wiring_(wiring)
{
}

FtdiBoard::~FtdiBoard() = default;

std::unique_ptr<FtdiBoard> FtdiBoard::open(const std::string& simPort, const Wiring& wiring, std::string& error)
{
    const auto options = sim::parseSimPort(simPort, &error);
    if (!options) {
        error = "not a SIM port: " + simPort + (error.empty() ? "" : " (" + error + ")");
        return nullptr;
    }
    std::unique_ptr<FtdiBoard> board(new FtdiBoard(*options, wiring));
    if (!board->imagePath_.empty()
        && sim::loadChipImage(board->imagePath_, board->chip_.memory(), error) == sim::ImageLoad::Invalid)
        return nullptr;
    if (!options->tracePath.empty()) {
        if (!board->trace_.open(options->tracePath, board->chip_.model().name)) {
            error = "cannot create the trace " + options->tracePath;
            return nullptr;
        }
        board->chip_.addObserver(&board->trace_);
    }
    return board;
}

bool FtdiBoard::pgdLine() const
{
    if (chip_.faults().dataInStuckLow)
        return false;
    return chip_.drivesData() ? chip_.dataOut() : programmerData();
}

std::uint8_t FtdiBoard::sample(SimTime)
{
    std::uint8_t pins = 0;
    for (unsigned pin = 0; pin < 8; ++pin) {
        bool high = true;  // the adapter's pull-up on an unconnected input
        if (pin == wiring_.pgdin)
            high = pgdLine();
        else if (isOutput(pin))
            high = driven(pin);
        else if (pin == wiring_.mclr || pin == wiring_.pgc || pin == wiring_.pgm)
            high = false;  // the board holds these lines low
        pins |= static_cast<std::uint8_t>(high ? 1u << pin : 0u);
    }
    return pins;
}

void FtdiBoard::apply(SimTime time, std::uint8_t levels, std::uint8_t outputs)
{
    const bool oldPgm = pgm_;
    const std::uint8_t oldLevels = levels_ & outputs_;
    const std::uint8_t oldOutputs = outputs_;
    levels_ = levels;
    outputs_ = outputs;
    if ((levels_ & outputs_) == oldLevels && outputs_ == oldOutputs)
        return;
    pgm_ = wiring_.pgm && driven(*wiring_.pgm);
    // PGM rises before MCLR and falls after it when one byte moves both: the chip
    // judges P15 and P18 from the times, both zero then.
    if (pgm_ && !oldPgm)
        chip_.setPgm(time, true);
    const bool mclr = driven(wiring_.mclr);
    const sim::McLr level = !mclr ? sim::McLr::Low : wiring_.highVoltage ? sim::McLr::Vihh : sim::McLr::Vdd;
    chip_.setLines(time, level, programmerData(), driven(wiring_.pgc));
    if (!pgm_ && oldPgm)
        chip_.setPgm(time, false);
    checkContention(time);
}

void FtdiBoard::checkContention(SimTime time)
{
    const bool now = !wiring_.seriesResistor && isOutput(wiring_.pgd) && chip_.drivesData()
        && chip_.dataOut() != driven(wiring_.pgd);
    if (now && !contention_)
        violations_.push_back("contention on PGD at " + std::to_string(time.count() / 1000)
                              + " us: the adapter and the chip drive it to different levels");
    contention_ = now;
}

void FtdiBoard::note(const std::string& violation)
{
    if (std::find(violations_.begin(), violations_.end(), violation) == violations_.end())
        violations_.push_back(violation);
}

std::vector<std::string> FtdiBoard::close(std::string& error)
{
    std::vector<std::string> all;
    for (const sim::Violation& violation : chip_.violations())
        all.push_back(std::string(sim::violationName(violation.kind)) + " " + violation.detail);
    all.insert(all.end(), violations_.begin(), violations_.end());
    if (!imagePath_.empty())
        sim::saveChipImage(imagePath_, chip_.memory(), error);
    chip_.removeObserver(&trace_);
    trace_.close();
    return all;
}

} // namespace ftdistandin
