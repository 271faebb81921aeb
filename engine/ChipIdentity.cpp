#include "engine/ChipIdentity.h"

#include "corvant/PortName.h"
#include "devicedata/DeviceDataMessages.h"
#include "engine/EngineTexts.h"

namespace velmora {

using namespace texts;

namespace {

std::string joinedNames(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : kOrNext) + name;
    return text;
}

bool isSimulatedPort(std::string_view port)
{
    return corvant::portKind(port) == corvant::PortKind::Sim;
}

bool isSerialPort(std::string_view port)
{
    return corvant::isSerialKind(corvant::portKind(port));
}

std::string levelsRead(std::uint16_t rawId)
{
    if (rawId == kSilentHighId)
        return "data in read high on every bit (" + DeviceIdText(rawId) + ")";
    if (rawId == kSilentLowId)
        return "data in read low on every bit (" + DeviceIdText(rawId) + ")";
    return "data in gave " + DeviceIdText(rawId) + ", an ID no device of these programming guides uses";
}

} // namespace

std::string describeChip(const ChipIdentity& chip)
{
    const std::string head = kDeviceIdHead + DeviceIdText(chip.rawId) + ": ";
    switch (chip.kind) {
    case ChipIdentity::Kind::Named:
        return head + joinedNames(chip.names) + kRevision + std::to_string(chip.revision);
    case ChipIdentity::Kind::UnnamedInFamily:
        return head + "a " + std::string(chip.family) + kIdNoDeviceNames + kRevision + std::to_string(chip.revision);
    case ChipIdentity::Kind::Silent:
        break;
    }
    return head + kNoChipAnswering;
}

std::string silentChipChecklist(std::uint16_t rawId, std::string_view port, std::string_view wiringCheck)
{
    const bool jdm = isSerialPort(port);
    const EntryWiring wiring = corvant::entryWiring(port);
    const bool lowVoltage = wiring != EntryWiring::HighVoltage;
    const std::string check(wiringCheck);
    std::string text = "no chip answering: " + levelsRead(rawId) + ".\nCheck:\n";
    if (wiring == EntryWiring::MclrOnly) {
        text += kCheckLvpBit;
        text += kCheckKeyEntryPart;
        text += kCheckMclrLine;
    } else if (lowVoltage) {
        text += kCheckLvpBit;
        text += kCheckPgmLine;
        text += kCheckMclrAtVdd;
    } else {
        text += "  - Vpp reaches MCLR in program mode: VDD + 4 V to 12.5 V on PIC18F2XXX/4XXX, 9 V to 13.25 V on older"
                " parts";
        text += jdm ? " (on the JDM it comes from TxD; " + check + " leaves it off)\n" : "\n";
    }
    text += "  - VDD and ground reach the chip";
    text += jdm ? " (the JDM takes them from the port's lines: a weak USB adapter may not supply them)\n" : "\n";
    if (wiring == EntryWiring::MclrOnly)
        text += kCheckKeyEntryBulkEraseSupply;
    else if (lowVoltage)
        text += kCheckBulkEraseSupply;
    text += "  - PGC and PGD are not swapped (" + check + " checks the data path)\n";
    if (!lowVoltage)
        text += "  - PGM is pulled low on a chip whose LVP bit is set\n";
    text += "  - the chip is seated the right way round, every pin in contact\n";
    if (isSimulatedPort(port))
        text += "  - on the simulated programmer: a fault= option in the port string (see sim/README.md)\n";
    return text;
}

std::string chipMismatch(const ChipIdentity& chip, const std::string& selectedName)
{
    switch (chip.kind) {
    case ChipIdentity::Kind::Named:
        for (const std::string& name : chip.names) {
            if (name == selectedName)
                return {};
        }
        return kChipAnswersAs + chip.names.front() + " (" + DeviceIdText(chip.rawId) + kButSelectedHead + selectedName
            + kIsSelected;
    case ChipIdentity::Kind::UnnamedInFamily:
        return kChipAnswersWithId + DeviceIdText(chip.rawId) + ", a " + std::string(chip.family) + kIdNoDeviceNames
            + kButOtherSelected + selectedName + kIsSelected;
    case ChipIdentity::Kind::Silent:
        break;
    }
    return kNoChipAnswers + selectedName + kIsSelected;
}

} // namespace velmora
