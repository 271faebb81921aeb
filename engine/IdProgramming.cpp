#include "engine/IdProgramming.h"

#include "engine/AreaComparison.h"
#include "engine/EngineTexts.h"

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
        if (!s.check())
            return false;
        s.post.postProcessText(texts::kWriteInstruction);
        if (!s.selectConfigurationSpace() || !s.check())
            return false;
        s.post.postProcessText(texts::kWriteInstruction);
        if (!s.writePanelMode(IcspSession::kSinglePanelMode))
            return false;
    }
    if (!s.check())
        return false;
    s.post.postProcessText(texts::kWriteInstruction);
    if (!s.selectCodeMemory() || !s.check())
        return false;
    s.post.postProcessText(texts::kWriteInstruction);
    if (!s.setTablePointer(kIdAddress) || !loadWord(IcspCommand::TableWritePostIncrement2, 0)
        || !loadWord(IcspCommand::TableWritePostIncrement2, 2) || !loadWord(IcspCommand::TableWritePostIncrement2, 4)
        || !loadWord(IcspCommand::TableWriteStartProgramming, 6) || !s.check())
        return false;
    s.post.postProcessText(texts::kWriteProgTimeInstruction);
    if (!s.programPulse())
        return false;
    s.post.postProgress(kComplete);
    return true;
}

bool IdProgramming::loadWord(IcspCommand command, int firstByte)
{
    if (!s.check())
        return false;
    s.post.postAddress(kIdAddress + firstByte, true);
    const auto operand = static_cast<std::uint16_t>(s.image.ids[firstByte] | (s.image.ids[firstByte + 1] << 8));
    return s.tableWrite(command, operand);
}

} // namespace velmora
