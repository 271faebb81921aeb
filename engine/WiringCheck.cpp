#include "engine/WiringCheck.h"

#include <algorithm>

#include "corvant/CorvantTexts.h"
#include "engine/EngineTexts.h"

namespace velmora {

namespace {

// Long enough for a serial adapter's modem lines to settle: 0.5 ms.
constexpr std::uint32_t kSettleUnits = 100;

bool all(const std::vector<WiringSample>& samples, bool (*holds)(const WiringSample&))
{
    return std::ranges::all_of(samples, holds);
}

char level(bool high)
{
    return high ? '1' : '0';
}

} // namespace

std::vector<WiringSample> wiringPattern()
{
    return {
        {true, false}, {false, false}, {true, false}, {false, false},
        {false, true}, {false, false}, {false, true}, {false, false},
    };
}

WiringVerdict classifyWiring(const std::vector<WiringSample>& samples)
{
    if (all(samples, [](const WiringSample& s) { return s.dataIn == s.data; }))
        return WiringVerdict::Follows;
    if (all(samples, [](const WiringSample& s) { return s.dataIn == s.clock; }))
        return WiringVerdict::FollowsClock;
    if (all(samples, [](const WiringSample& s) { return !s.dataIn; }))
        return WiringVerdict::StaysLow;
    if (all(samples, [](const WiringSample& s) { return s.dataIn; }))
        return WiringVerdict::StaysHigh;
    if (all(samples, [](const WiringSample& s) { return s.dataIn != s.data; }))
        return WiringVerdict::Inverted;
    return WiringVerdict::Erratic;
}

std::string wiringAdvice(WiringVerdict verdict)
{
    switch (verdict) {
    case WiringVerdict::Follows:
        return "data in follows data out: the PGD path works";
    case WiringVerdict::FollowsClock:
        return "data in follows PGC, not PGD: the clock and data lines are swapped";
    case WiringVerdict::StaysLow:
        return "data in stays low: check the data-in line";
    case WiringVerdict::StaysHigh:
        return "data in stays high: check the data-out line (PGD) and that nothing holds data in high";
    case WiringVerdict::Inverted:
        return "data in is the inverse of data out: the programmer inverts one of the two lines";
    case WiringVerdict::Erratic:
        break;
    }
    return "data in follows neither line: a loose contact or a floating data-in line";
}

bool dataInIsPgd(std::string_view programmerInfo)
{
    return programmerInfo.find(corvant::texts::kGpioDataInOnPgd) != std::string_view::npos;
}

std::optional<std::vector<WiringSample>> driveWiringPattern(PinDriver& driver)
{
    std::vector<WiringSample> samples = wiringPattern();
    bool ok = true;
    for (WiringSample& sample : samples) {
        std::uint8_t in = 0;
        ok = driver.programmerWrite(0, sample.data ? 1 : 0, sample.clock ? 1 : 0) && driver.delay(kSettleUnits)
            && driver.programmerRead(&in);
        if (!ok)
            break;
        sample.dataIn = in != 0;
    }
    ok = driver.programmerWrite(0, 0, 0) && ok;
    if (!ok)
        return std::nullopt;
    return samples;
}

std::string wiringReport(const std::vector<WiringSample>& samples, bool readOnPgd)
{
    std::string pgd = "PGD     ";
    std::string pgc = "PGC     ";
    std::string in = "data in ";
    for (const WiringSample& sample : samples) {
        pgd += {' ', level(sample.data)};
        pgc += {' ', level(sample.clock)};
        in += {' ', level(sample.dataIn)};
    }
    std::string report = "Vpp off\n" + pgd + "\n" + pgc + "\n" + in + "\n" + wiringAdvice(classifyWiring(samples)) + "\n";
    if (readOnPgd)
        report += std::string(texts::kDataInIsPgd) + "\n";
    return report;
}

} // namespace velmora
