#include "engine/AreaComparison.h"

#include "devicedata/ConfigMasks.h"
#include "engine/IcspSession.h"

namespace velmora {

namespace {

std::uint8_t expectedByte(const MemoryImage& image, MemoryArea area, std::uint32_t index)
{
    switch (area) {
    case MemoryArea::ProgramMemory: return image.programMemory[index];
    case MemoryArea::Eeprom: return image.eeprom[index];
    case MemoryArea::Ids: return image.ids[index];
    case MemoryArea::Configuration: return image.config[index];
    }
    return kBlank;
}

} // namespace

ByteVisitor failAtDifference(IcspSession& s, MemoryArea area, Address base)
{
    return [&s, area, base](std::uint32_t index, std::uint8_t value) {
        const Comparison c = compareByte(s.image, area, index, value);
        if (!c.differs())
            return AfterByte::Next;
        s.fail(programmingMismatch(area, base + index, c.device, c.image));
        return AfterByte::Leave;
    };
}

Comparison compareByte(const MemoryImage& image, MemoryArea area, std::uint32_t index, std::uint8_t read)
{
    const std::uint8_t raw = expectedByte(image, area, index);
    if (area != MemoryArea::Configuration)
        return {read, raw, raw};
    const std::uint8_t mask = image.configMask[index];
    const std::uint8_t setMask = image.configSetMask[index];
    return {EffectiveConfigValue(read, mask, setMask), EffectiveConfigValue(raw, mask, setMask), raw};
}

bool verifyWrittenArea(IcspSession& s, MemoryArea area, Address base, std::uint32_t count)
{
    return s.readTable(base, count, failAtDifference(s, area, base));
}

bool writeAndVerifyArea(IcspSession& session, const char* writeAction, const std::function<bool()>& write,
                        const char* verifyAction, MemoryArea area, Address base, std::uint32_t count)
{
    session.post.postAction({});
    session.post.postProgress(0);
    session.post.postAction(writeAction);
    if (!write())
        return false;
    session.post.postProcessText({});
    session.post.clearAddress();
    if (!session.wait300ms() || !session.check())
        return false;
    session.post.postAction({});
    session.post.postProgress(0);
    session.post.postAction(verifyAction);
    if (!verifyWrittenArea(session, area, base, count))
        return false;
    session.post.postProcessText({});
    session.post.clearAddress();
    return session.wait300ms() && session.check();
}

} // namespace velmora
