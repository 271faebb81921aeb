#include "engine/operations/ConfigurationProgramming.h"

#include <array>

#include "devicedata/ConfigMasks.h"
#include "engine/EngineTexts.h"
#include "engine/operations/AreaComparison.h"

namespace velmora {

namespace {

// CONFIG7 before CONFIG6: write protection of the configuration (CONFIG6H) goes last.
constexpr std::array<Address, 7> kWordOrder = {0x300000, 0x300002, 0x300004, 0x300006,
                                               0x300008, 0x30000C, 0x30000A};
constexpr std::uint32_t kProgressSteps = 14;

} // namespace

bool ConfigurationProgramming::run()
{
    return writeAndVerifyArea(s, texts::kProgramConfiguration, [this] { return write(); },
                              texts::kVerifyWrittenConfiguration, MemoryArea::Configuration, kConfigAddress,
                              kConfigCount);
}

bool ConfigurationProgramming::write()
{
    if (s.strategy().singlePanelBeforeIdsAndConfig) {
        s.post().postProcessText(texts::kWriteInstruction);
        if (!s.icsp.writePanelMode(ClassicIcsp::kSinglePanelMode))
            return false;
    }
    for (int n = 0; n < static_cast<int>(kWordOrder.size()); ++n) {
        if (!writePair(n, kWordOrder[static_cast<std::size_t>(n)]))
            return false;
    }
    return true;
}

bool ConfigurationProgramming::writePair(int n, Address address)
{
    const std::uint32_t i = address - kConfigAddress;
    if (!s.frame.check())
        return false;
    s.post().postProcessText(texts::kWriteInstruction);
    if (!s.icsp.selectConfigurationSpace() || !s.icsp.enableWrites())
        return false;
    // The program counter leaves the code-protected blocks first, so that programming
    // a code-protect bit cannot lock out the table writes that follow.
    if (s.strategy().gotoBeforeConfigWords
        && (!s.icsp.core(CoreInstruction::GotoFirstWord) || !s.icsp.core(CoreInstruction::GotoSecondWord)))
        return false;
    if (!s.frame.check())
        return false;
    s.post().postProcessText(texts::kWriteInstruction);
    if (!s.icsp.setTablePointer(address) || !s.frame.check())
        return false;

    // Only the even byte goes through the masks; the odd byte is written as the image holds it.
    s.post().postAddress(address);
    const MemoryImage& image = s.image();
    const std::uint8_t even = EffectiveConfigValue(image.config[i], image.configMask[i], image.configSetMask[i]);
    if (!s.icsp.tableWrite(IcspCommand::TableWriteStartProgramming, even) || !pulse(2 * n + 1))
        return false;

    s.post().postProcessText(texts::kWriteInstruction);
    if (!s.icsp.core(CoreInstruction::IncfTblptrl))
        return false;
    s.post().postAddress(address + 1);
    const auto odd = static_cast<std::uint16_t>(image.config[i + 1] << 8);
    return s.icsp.tableWrite(IcspCommand::TableWriteStartProgramming, odd) && pulse(2 * n + 2);
}

bool ConfigurationProgramming::pulse(int step)
{
    if (!s.frame.check())
        return false;
    s.post().postProcessText(texts::kWriteProgTimeInstruction);
    if (!s.icsp.programPulse(ClassicIcsp::WriteKind::IdsAndConfiguration))
        return false;
    s.post().postProgress(percent(static_cast<std::uint32_t>(step), kProgressSteps));
    return true;
}

} // namespace velmora
