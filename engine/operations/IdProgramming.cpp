#include "engine/operations/IdProgramming.h"

#include "engine/EngineTexts.h"
#include "engine/operations/AreaComparison.h"

namespace velmora {

namespace {
constexpr std::uint16_t kComplete = 100;
} // namespace

bool IdProgramming::run()
{
    return writeAndVerifyArea(s, texts::kProgramIds, [this] { return write(); }, texts::kVerifyWrittenIds,
                              MemoryArea::Ids, kIdAddress, kIdCount);
}

bool IdProgramming::write()
{
    if (s.strategy().singlePanelBeforeIdsAndConfig) {
        if (!s.frame.check())
            return false;
        s.post().postProcessText(texts::kWriteInstruction);
        if (!s.icsp.selectConfigurationSpace() || !s.frame.check())
            return false;
        s.post().postProcessText(texts::kWriteInstruction);
        if (!s.icsp.writePanelMode(ClassicIcsp::kSinglePanelMode))
            return false;
    }
    if (!s.frame.check())
        return false;
    s.post().postProcessText(texts::kWriteInstruction);
    if (!s.icsp.selectCodeMemory() || !s.icsp.enableWrites() || !s.frame.check())
        return false;
    s.post().postProcessText(texts::kWriteInstruction);
    if (!s.icsp.setTablePointer(kIdAddress) || !loadWord(IcspCommand::TableWritePostIncrement2, 0)
        || !loadWord(IcspCommand::TableWritePostIncrement2, 2) || !loadWord(IcspCommand::TableWritePostIncrement2, 4)
        || !loadWord(IcspCommand::TableWriteStartProgramming, 6) || !s.frame.check())
        return false;
    s.post().postProcessText(texts::kWriteProgTimeInstruction);
    if (!s.icsp.programPulse(ClassicIcsp::WriteKind::IdsAndConfiguration))
        return false;
    s.post().postProgress(kComplete);
    return true;
}

bool IdProgramming::loadWord(IcspCommand command, int firstByte)
{
    if (!s.frame.check())
        return false;
    s.post().postAddress(kIdAddress + firstByte, true);
    const auto operand = static_cast<std::uint16_t>(s.image().ids[firstByte] | (s.image().ids[firstByte + 1] << 8));
    return s.icsp.tableWrite(command, operand);
}

} // namespace velmora
