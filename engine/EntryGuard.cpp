#include "engine/EntryGuard.h"

#include <string_view>

#include "engine/EngineTexts.h"
#include "engine/EntryChoice.h"

namespace velmora {

namespace {

// Each family's PGM pin and the lower end of its VIHH (D110), from its document:
// DS39622 Table 2-1 and the older guides (RB5), DS41357B Table 2-1 (RC3, 8.0 V),
// DS41297D Table 2-1 (RB5, VDD + 1.5 V), DS41398B (no PGM pin, VDD + 4.5 V).
struct FamilyPins {
    ProgrammingFamily family;
    std::string_view pgmPin;   // empty: the family has none
    std::string_view vppLow;
};

constexpr FamilyPins kFamilyPins[] = {
    {ProgrammingFamily::Classic, "RB5", {}},
    {ProgrammingFamily::K22, {}, "VDD + 4.5 V"},
    {ProgrammingFamily::OneXK22, "RC3", "8.0 V"},
    {ProgrammingFamily::K20, "RB5", "VDD + 1.5 V"},
};

const FamilyPins& pinsOf(ProgrammingFamily family)
{
    for (const FamilyPins& pins : kFamilyPins) {
        if (pins.family == family)
            return pins;
    }
    return kFamilyPins[0];
}

// 9000 -> "9.0 V", 3600 -> "3.6 V": the documents give the limits to a tenth of a volt.
std::string volts(int millivolts)
{
    return std::to_string(millivolts / 1000) + "." + std::to_string(millivolts % 1000 / 100) + " V";
}

} // namespace

std::string entryRefusal(const SelectedDevice& device, EntryWiring wiring)
{
    if (entryMethodFor(wiring, device.family) != EntryMethod::None)
        return {};
    if (wiring == EntryWiring::MclrOnly) {
        const std::string pin(pinsOf(device.family).pgmPin);
        return device.name + texts::kNeedsPgmPinHead + pin + texts::kNeedsPgmPinMiddle + pin
            + texts::kNeedsPgmPinTail;
    }
    return device.name + texts::kHasNoPgmPinHead + std::string(factsFor(device.family).document)
        + texts::kHasNoPgmPinTail;
}

std::string vppWarning(const SelectedDevice& device, EntryWiring wiring, bool vppUnregulated)
{
    const FamilyFacts& facts = factsFor(device.family);
    if (wiring != EntryWiring::HighVoltage || !vppUnregulated || !facts.vppLimitMillivolts)
        return {};
    const std::string limit = volts(*facts.vppLimitMillivolts);
    const std::string document(facts.document);
    std::string text = device.name + texts::kVppLimitHead + std::string(pinsOf(device.family).vppLow)
        + texts::kVppLimitTo + limit + texts::kVppLimitSource + document + texts::kVppJdmApplies;
    if (facts.vddLimitMillivolts)
        text += texts::kVddLimitHead + volts(*facts.vddLimitMillivolts) + texts::kVddLimitSource + document
            + texts::kVddLimitTail;
    if (facts.keyEntry)
        text += texts::kVppInsteadKeyEntry;
    else
        text += texts::kVppInsteadPgmEntryHead + std::string(pinsOf(device.family).pgmPin)
            + texts::kVppInsteadPgmEntryTail;
    return text + texts::kVppInsteadLimited + limit + texts::kFullStop;
}

} // namespace velmora
