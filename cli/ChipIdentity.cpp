#include "cli/ChipIdentity.h"

#include <cstdio>

#include "cli/CliTexts.h"
#include "cli/KnownIdFamilies.h"
#include "corvant/PortName.h"
#include "devicedata/DeviceIdKeys.h"

namespace velmora::cli {

namespace {

constexpr std::uint16_t kAllLow = 0x0000;
constexpr std::uint16_t kAllHigh = 0xFFFF;
constexpr std::uint16_t kDefaultRevisionBits = 0x001F;

std::string hexId(std::uint16_t id)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(id));
    return text;
}

std::string joinedNames(const std::vector<std::string>& names)
{
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : " or ") + name;
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
    if (rawId == kAllHigh)
        return "data in read high on every bit (" + hexId(rawId) + ")";
    if (rawId == kAllLow)
        return "data in read low on every bit (" + hexId(rawId) + ")";
    return "data in gave " + hexId(rawId) + ", an ID no device of these programming guides uses";
}

} // namespace

ChipIdentity identifyChip(DeviceList& devices, std::uint16_t rawId)
{
    ChipIdentity chip;
    chip.rawId = rawId;
    chip.revision = rawId & kDefaultRevisionBits;
    if (rawId == kAllLow || rawId == kAllHigh)
        return chip;
    devices.MoveTo(0);
    for (std::int32_t i = 0; i < devices.Count(); ++i) {
        const DeviceRecord record = devices.CopyCurrentAndAdvance();
        if (!MatchesDeviceId(record, rawId))
            continue;
        if (chip.names.empty())
            chip.revision = DeviceRevision(record, rawId);
        chip.names.push_back(record.name);
    }
    if (!chip.names.empty()) {
        chip.kind = ChipIdentity::Kind::Named;
        return chip;
    }
    chip.family = knownIdFamily(static_cast<std::uint8_t>(rawId >> 8));
    if (!chip.family.empty())
        chip.kind = ChipIdentity::Kind::UnnamedInFamily;
    return chip;
}

std::string describeChip(const ChipIdentity& chip)
{
    const std::string head = "device ID " + hexId(chip.rawId) + ": ";
    switch (chip.kind) {
    case ChipIdentity::Kind::Named:
        return head + joinedNames(chip.names) + ", revision " + std::to_string(chip.revision);
    case ChipIdentity::Kind::UnnamedInFamily:
        return head + "a " + std::string(chip.family) + " ID that no device of the database names, revision "
            + std::to_string(chip.revision);
    case ChipIdentity::Kind::Silent:
        break;
    }
    return head + "no chip answering";
}

std::string silentChipChecklist(std::uint16_t rawId, std::string_view port)
{
    const bool jdm = isSerialPort(port);
    const bool lowVoltage = corvant::entersAtLowVoltage(port);
    std::string text = "no chip answering: " + levelsRead(rawId) + ".\nCheck:\n";
    if (lowVoltage) {
        text += kCheckLvpBit;
        text += kCheckPgmLine;
        text += kCheckMclrAtVdd;
    } else {
        text += "  - Vpp reaches MCLR in program mode: VDD + 4 V to 12.5 V on PIC18F2XXX/4XXX, 9 V to 13.25 V on older"
                " parts";
        text += jdm ? " (on the JDM it comes from TxD; velmora-cli wiring leaves it off)\n" : "\n";
    }
    text += "  - VDD and ground reach the chip";
    text += jdm ? " (the JDM takes them from the port's lines: a weak USB adapter may not supply them)\n" : "\n";
    if (lowVoltage)
        text += kCheckBulkEraseSupply;
    text += "  - PGC and PGD are not swapped (velmora-cli wiring checks the data path)\n";
    if (!lowVoltage)
        text += "  - PGM is pulled low on a chip whose LVP bit is set\n";
    text += "  - the chip is seated the right way round, every pin in contact\n";
    if (isSimulatedPort(port))
        text += "  - on the simulated programmer: a fault= option in the port string (see sim/README.md)\n";
    return text;
}

std::string refusalToWrite(const ChipIdentity& chip, const std::string& selectedName)
{
    switch (chip.kind) {
    case ChipIdentity::Kind::Named:
        for (const std::string& name : chip.names) {
            if (name == selectedName)
                return {};
        }
        return "chip answers as " + chip.names.front() + " (" + hexId(chip.rawId) + "), but " + selectedName
            + " is selected; use --device " + chip.names.front() + " or --no-id-check";
    case ChipIdentity::Kind::UnnamedInFamily:
        return "chip answers with device ID " + hexId(chip.rawId) + ", a " + std::string(chip.family)
            + " ID that no device of the database names, but " + selectedName
            + " is selected; use --no-id-check to go on anyway";
    case ChipIdentity::Kind::Silent:
        break;
    }
    return "no chip answers, " + selectedName + " is selected; nothing was sent beyond the device-ID read";
}

} // namespace velmora::cli
