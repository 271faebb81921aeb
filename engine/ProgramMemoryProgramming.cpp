#include "engine/ProgramMemoryProgramming.h"

#include <algorithm>

#include "devicedata/ConfigMasks.h"
#include "engine/EngineTexts.h"
#include "engine/ProgrammingOptions.h"
#include "engine/operations/AreaComparison.h"

namespace velmora {

namespace {

constexpr std::uint32_t kPanelSize = 0x2000;
constexpr std::uint32_t kBlocksPerPanel = 1024;
constexpr std::uint32_t kBlockSize = 8;
constexpr std::uint16_t kMultiPanelMode = 0x0040;

} // namespace

bool ProgramMemoryProgramming::run()
{
    s.post().postAction(s.options.programMemory ? texts::kProgramProgramMemory : texts::kProgramConfiguration);
    const Method method = s.strategy().methodFor(s.options.multiPanelWrite);
    if (!checkSize() || !s.frame.check())
        return false;
    switch (method) {
    case Method::MultiPanel:
        if (!writeMultiPanel() || !endWriting())
            return false;
        break;
    case Method::SinglePanel:
        if (!writeSinglePanel() || !endWriting())
            return false;
        break;
    case Method::Buffer:
        if (!writeBuffers() || !endWriting())
            return false;
        break;
    case Method::None:
        break;
    }
    return verify();
}

const char* ProgramMemoryProgramming::sizeMisfit(Method method, std::uint32_t size, std::int32_t buffer)
{
    switch (method) {
    case Method::MultiPanel:
        return size % kPanelSize == 0 ? nullptr : texts::kNotWholePanels;
    case Method::SinglePanel:
        return size % kBlockSize == 0 ? nullptr : texts::kNotWholeBlocks;
    case Method::Buffer:
        // A buffer size of 0 or below cannot divide anything: rejected like a misfit.
        if (buffer <= 0 || size % static_cast<std::uint32_t>(buffer) != 0)
            return texts::kNotWholeBuffers;
        return buffer % 2 == 0 ? nullptr : texts::kBufferNotWholeWords;
    case Method::None:
        return nullptr;
    }
    return nullptr;
}

const char* ProgramMemoryProgramming::misfitFor(const DeviceImage& data, const ProgrammingOptions& options)
{
    if (!options.programMemory)
        return nullptr;
    const Method method = rulesFor(data.device).methodFor(options.multiPanelWrite);
    return sizeMisfit(method, flashSize(data.device, data.image), data.device.writeBufferSize);
}

bool ProgramMemoryProgramming::checkSize()
{
    const char* misfit = misfitFor(s.data, s.options);
    return misfit == nullptr || s.frame.fail(misfit);
}

bool ProgramMemoryProgramming::enterPanelMode(std::uint16_t mode)
{
    s.post().postProcessText(texts::kWriteInstruction);
    if (!s.icsp.selectConfigurationSpace() || !s.icsp.core(CoreInstruction::BsfEecon1Bit3) || !s.frame.check())
        return false;
    s.post().postProcessText(texts::kWriteInstruction);
    return s.icsp.writePanelMode(mode);
}

bool ProgramMemoryProgramming::loadWord(IcspCommand command, Address address)
{
    if (!s.frame.check())
        return false;
    s.post().postAddress(address, true);
    const auto operand = static_cast<std::uint16_t>(flashByte(address) | (flashByte(address + 1) << 8));
    return s.icsp.tableWrite(command, operand);
}

bool ProgramMemoryProgramming::programWord(Address address)
{
    if (!loadWord(IcspCommand::TableWriteStartProgramming, address) || !s.frame.check())
        return false;
    s.post().postProcessText(texts::kWriteProgTimeInstruction);
    return s.icsp.programPulse();
}

bool ProgramMemoryProgramming::allBlank(Address first, std::uint32_t count) const
{
    for (Address a = first; a < first + count; ++a) {
        if (flashByte(a) != kBlank)
            return false;
    }
    return true;
}

std::uint8_t ProgramMemoryProgramming::flashByte(Address address) const
{
    const MemoryImage& image = s.image();
    if (address < s.programSize())
        return s.options.programMemory ? image.programMemory[address] : kBlank;
    // The configuration words at the top of flash; left erased when not programmed.
    const std::uint32_t i = address - s.programSize();
    if (!s.options.configuration)
        return kBlank;
    return EffectiveConfigValue(image.config[i], image.configMask[i], image.configSetMask[i]);
}

bool ProgramMemoryProgramming::writeMultiPanel()
{
    const std::uint32_t panels = s.programSize() / kPanelSize;
    if (!enterPanelMode(kMultiPanelMode))
        return false;
    // Every block of every panel is loaded: the panels program together, so a blank
    // block cannot be left out of its row.
    for (std::uint32_t v = 0; v < kBlocksPerPanel; ++v) {
        if (!s.frame.check())
            return false;
        s.post().postProcessText(texts::kWriteInstruction);
        if (!s.icsp.selectCodeMemory())
            return false;
        for (std::uint32_t p = 1; p <= panels; ++p) {
            if (!s.frame.check())
                return false;
            s.post().postProcessText(texts::kWriteInstruction);
            const Address a = (p - 1) * kPanelSize + v * kBlockSize;
            if (!s.icsp.setTablePointer(a) || !loadWord(IcspCommand::TableWritePostIncrement2, a)
                || !loadWord(IcspCommand::TableWritePostIncrement2, a + 2)
                || !loadWord(IcspCommand::TableWritePostIncrement2, a + 4))
                return false;
            const bool lastPanel = p == panels;
            if (!(lastPanel ? programWord(a + 6) : loadWord(IcspCommand::TableWrite, a + 6)))
                return false;
        }
        s.post().postProgress(percent(v, kBlocksPerPanel - 1));
    }
    return true;
}

bool ProgramMemoryProgramming::writeSinglePanel()
{
    const std::uint32_t blocks = s.programSize() / kBlockSize;
    if (!enterPanelMode(ClassicIcsp::kSinglePanelMode))
        return false;
    for (std::uint32_t v = 0; v < blocks; ++v) {
        const Address a = v * kBlockSize;
        // The erase left blank blocks blank on the device.
        if (allBlank(a, kBlockSize))
            continue;
        if (!s.frame.check())
            return false;
        s.post().postProcessText(texts::kWriteInstruction);
        if (!s.icsp.selectCodeMemory() || !s.frame.check())
            return false;
        s.post().postProcessText(texts::kWriteInstruction);
        if (!s.icsp.setTablePointer(a) || !loadWord(IcspCommand::TableWritePostIncrement2, a)
            || !loadWord(IcspCommand::TableWritePostIncrement2, a + 2)
            || !loadWord(IcspCommand::TableWritePostIncrement2, a + 4) || !programWord(a + 6))
            return false;
        s.post().postProgress(percent(v, blocks));
    }
    return true;
}

bool ProgramMemoryProgramming::writeBuffers()
{
    const auto bufferSize = static_cast<std::uint32_t>(s.device().writeBufferSize);
    // Every block sent is sent whole, FFh where the image is blank: a J part's buffer keeps
    // the last block's bytes.
    const std::uint32_t buffers = s.flashSize() / bufferSize;
    if (!s.frame.check())
        return false;
    s.post().postProcessText(texts::kWriteInstruction);
    if (!s.icsp.selectCodeMemory() || !s.icsp.enableWrites() || !s.frame.check())
        return false;
    for (std::uint32_t v = 0; v < buffers; ++v) {
        const Address a = v * bufferSize;
        if (allBlank(a, bufferSize))
            continue;
        if (!s.frame.check())
            return false;
        s.post().postProcessText(texts::kWriteInstruction);
        if (!s.icsp.setTablePointer(a))
            return false;
        const Address lastWord = a + bufferSize - 2;
        for (Address w = a; w < lastWord; w += 2) {
            if (!loadWord(IcspCommand::TableWritePostIncrement2, w))
                return false;
        }
        if (!programWord(lastWord))
            return false;
        s.post().postProgress(percent(v, buffers));
    }
    return true;
}

bool ProgramMemoryProgramming::endWriting()
{
    s.frame.clearAreaDisplays();
    return s.frame.check() && s.frame.wait300ms() && s.frame.check();
}

bool ProgramMemoryProgramming::verify()
{
    if (s.options.programMemory && !verifyCode())
        return false;
    // Read back in the same session: a code-protect bit takes effect at the next reset.
    if (!s.configInFlash() || !s.options.configuration)
        return true;
    s.frame.startArea(texts::kVerifyWrittenConfiguration);
    return verifyWrittenArea(s, MemoryArea::Configuration, s.configAddress(), s.configCount()) && s.frame.endArea();
}

bool ProgramMemoryProgramming::verifyCode()
{
    s.post().postAction(texts::kVerifyWrittenProgramMemory);
    const ByteVisitor compare = failAtDifference(s, MemoryArea::ProgramMemory, 0);
    // Every byte is read unless the fast verify leaves out those the image lacks.
    const Presence present = [this](Address a) { return !s.options.fastVerify || s.data.IsProgramPresent(a); };
    return s.table().readPresent(0, s.programSize(), present, compare) && s.frame.endArea();
}

} // namespace velmora
