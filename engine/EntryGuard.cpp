#include "engine/EntryGuard.h"

#include "engine/EngineTexts.h"
#include "engine/EntryChoice.h"

namespace velmora {

namespace {

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
    const FamilyFacts& facts = factsFor(device.family);
    if (wiring == EntryWiring::HighVoltage) {
        const std::string vdd = facts.vddLimitMillivolts ? volts(*facts.vddLimitMillivolts) : std::string();
        return device.name + texts::kNoHighVoltageHead + vdd + texts::kVddLimitSource + std::string(facts.document)
            + texts::kNoHighVoltageTail;
    }
    if (wiring == EntryWiring::MclrOnly) {
        const std::string pin(facts.pgmPin);
        return device.name + texts::kNeedsPgmPinHead + pin + texts::kNeedsPgmPinMiddle + pin
            + texts::kNeedsPgmPinTail;
    }
    return device.name + texts::kHasNoPgmPinHead + std::string(facts.document)
        + texts::kHasNoPgmPinTail;
}

std::string vppWarning(const SelectedDevice& device, EntryWiring wiring, bool vppUnregulated)
{
    const FamilyFacts& facts = factsFor(device.family);
    if (wiring != EntryWiring::HighVoltage || !vppUnregulated || !facts.vppLimitMillivolts)
        return {};
    const std::string limit = volts(*facts.vppLimitMillivolts);
    const std::string document(facts.document);
    std::string text = device.name + texts::kVppLimitHead + std::string(facts.vppLeast)
        + texts::kVppLimitTo + limit + texts::kVppLimitSource + document + texts::kVppJdmApplies;
    if (facts.vddLimitMillivolts)
        text += texts::kVddLimitHead + volts(*facts.vddLimitMillivolts) + texts::kVddLimitSource + document
            + texts::kVddLimitTail;
    if (facts.keyEntry)
        text += texts::kVppInsteadKeyEntry;
    else
        text += texts::kVppInsteadPgmEntryHead + std::string(factsFor(device.family).pgmPin)
            + texts::kVppInsteadPgmEntryTail;
    return text + texts::kVppInsteadLimited + limit + texts::kFullStop;
}

} // namespace velmora
