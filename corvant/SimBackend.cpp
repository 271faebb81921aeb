// The simulated programmer behind "SIM" port strings: a simulated PIC18F on the three
// output lines and the data-in line, running in this process on the monotonic
// counter. With image= its memory is loaded at ComInit and written back at ComClose,
// so a simulated chip keeps its contents between runs; with trace= every decoded
// command and violation goes to a text file. With lvp it enters the chip at low
// voltage: PGM high, then MCLR at VDD; on a chip without a PGM pin (K22, the J parts)
// MCLR at VDD, the entry key being the ICSP layer's.

#include "corvant/PinBackend.h"

#include <chrono>
#include <exception>
#include <filesystem>
#include <system_error>

#include "corvant/sim/ChipImageFile.h"
#include "corvant/sim/SimFiles.h"
#include "corvant/sim/SimPortOptions.h"
#include "corvant/sim/SimProgrammerTexts.h"
#include "corvant/sim/TraceWriter.h"
#include "sim/SimulatedChip.h"

namespace corvant {
namespace {

namespace sim = velmora::sim;
using namespace std::chrono_literals;

// P15: PGM high at least this long before MCLR rises for a low-voltage entry.
constexpr sim::SimTime kPgmSetup = 2us;

// Whether two names reach one file (through links or other spellings); false while
// either does not exist.
bool sameFile(const std::string& first, const std::string& second)
{
    std::error_code ignored;
    return std::filesystem::equivalent(first, second, ignored);
}

class SimBackend final : public PinBackend {
public:
    SimBackend(const sim::SimPortOptions& options, std::string port)
        : chip_(*options.chip, options.faults)
        , imagePath_(options.imagePath)
        , tracePath_(options.tracePath)
        , port_(std::move(port))
        , start_(std::chrono::steady_clock::now())
        , lowVoltage_(options.lowVoltage)
    {
    }

    ~SimBackend() override { close(); }

    // False when the image file is no regular file, too large, held by another program
    // or not Intel HEX, or when the trace cannot be created: the port must not open
    // rather than overwrite a file it could not read. Until open() succeeds close()
    // writes nothing.
    bool open(std::string& failure)
    {
        if (!imagePath_.empty() && !openImage(failure))
            return false;
        // The trace would be written over the image at close, whatever the two names look like.
        if (!imagePath_.empty() && !tracePath_.empty() && sameFile(imagePath_, tracePath_)) {
            failure = std::string(sim::messages::kImageIsTrace) + tracePath_;
            image_.release(false);
            return false;
        }
        if (!tracePath_.empty() && !trace_.open(tracePath_, chip_.model().name)) {
            failure = std::string(sim::messages::kCannotCreateTrace) + tracePath_;
            image_.release(false);
            return false;
        }
        chip_.addObserver(&trace_);
        closed_ = false;
        return true;
    }

    bool setVpp(bool on) override { return write(on, data_, clock_); }
    bool setDataClock(bool data, bool clock) override { return write(vpp_, data, clock); }

    bool read(std::uint8_t& level) override
    {
        level = chip_.dataIn() ? 1 : 0;
        return true;
    }

    bool close() override
    {
        if (closed_)
            return true;
        closed_ = true;
        bool ok = true;
        std::string error;
        if (!imagePath_.empty())
            ok = sim::saveChipImage(imagePath_, chip_.memory(), error);
        image_.release(true);
        chip_.removeObserver(&trace_);
        return trace_.close() && ok;
    }

    std::string describe() const override
    {
        namespace msg = sim::messages;
        std::string text = std::string(msg::kSimulatedChip) + std::string(chip_.model().name) + std::string(msg::kModelFrom)
            + std::string(chip_.model().source);
        text += imagePath_.empty() ? std::string(msg::kNoImageFile) : std::string(msg::kImageFile) + imagePath_;
        if (!tracePath_.empty())
            text += std::string(msg::kTraceFile) + tracePath_;
        if (lowVoltage_)
            text += std::string(sim::hasPgmPin(chip_.model().family) ? msg::kLowVoltageEntry : msg::kKeyEntry);
        return text + std::string(msg::kOnPort) + port_;
    }

private:
    bool write(bool vpp, bool data, bool clock)
    {
        if (lowVoltage_)
            writeLowVoltage(vpp, data, clock);
        else
            chip_.setLines(now(), vpp, data, clock);
        vpp_ = vpp;
        data_ = data;
        clock_ = clock;
        return true;
    }

    // The ICSP layer's Vpp as a low-voltage entry: PGM high, P15, then MCLR at VDD;
    // on the way out MCLR falls first and PGM after it (P18 >= 0). Without a PGM pin
    // the line is MCLR at logic level and nothing more.
    void writeLowVoltage(bool vpp, bool data, bool clock)
    {
        if (!sim::hasPgmPin(chip_.model().family)) {
            chip_.setLines(now(), vpp ? sim::McLr::Vdd : sim::McLr::Low, data, clock);
            return;
        }
        if (vpp && !vpp_) {
            const sim::SimTime pgmRise = now();
            chip_.setPgm(pgmRise, true);
            while (now() - pgmRise < kPgmSetup) {
            }
        }
        chip_.setLines(now(), vpp ? sim::McLr::Vdd : sim::McLr::Low, data, clock);
        if (!vpp)
            chip_.setPgm(now(), false);
    }

    bool openImage(std::string& failure)
    {
        std::string text;
        if (!image_.open(imagePath_, failure))
            return false;
        if (!image_.read(text, failure)
            || sim::loadChipImageText(text, imagePath_, chip_.memory(), failure) == sim::ImageLoad::Invalid) {
            image_.release(false);
            return false;
        }
        return true;
    }

    sim::SimTime now() const
    {
        return std::chrono::duration_cast<sim::SimTime>(std::chrono::steady_clock::now() - start_);
    }

    sim::SimulatedChip chip_;
    sim::TraceWriter trace_;
    sim::HeldImageFile image_;
    std::string imagePath_;
    std::string tracePath_;
    std::string port_;
    std::chrono::steady_clock::time_point start_;
    bool lowVoltage_;
    bool vpp_ = false;
    bool data_ = false;
    bool clock_ = false;
    bool closed_ = true;
};

} // namespace

std::unique_ptr<PinBackend> openSimBackend(const std::string& port, std::string& failure)
{
    // Nothing may leave through the C exports as an exception, not even bad_alloc.
    try {
        const auto options = sim::parseSimPort(port, &failure);
        if (!options)
            return nullptr;
        failure = sim::lowVoltageRefusal(*options);
        if (!failure.empty())
            return nullptr;
        auto backend = std::make_unique<SimBackend>(*options, port);
        if (!backend->open(failure))
            return nullptr;
        return backend;
    } catch (const std::exception& problem) {
        failure = problem.what();
        return nullptr;
    }
}

} // namespace corvant
