#include "engine/AreaComparison.h"

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

Comparison compareByte(const MemoryImage& image, MemoryArea area, std::uint32_t index, std::uint8_t read)
{
    const std::uint8_t raw = expectedByte(image, area, index);
    if (area != MemoryArea::Configuration)
        return {read, raw, raw};
    const std::uint8_t mask = image.configMask[index];
    const std::uint8_t setMask = image.configSetMask[index];
    return {static_cast<std::uint8_t>((read & mask) | setMask), static_cast<std::uint8_t>((raw & mask) | setMask),
            raw};
}

bool verifyWrittenArea(IcspSession& s, MemoryArea area, Address base, std::uint32_t count)
{
    if (!s.startTableRead(base))
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint8_t value = 0;
        if (!s.check())
            return false;
        s.post.postAddress(base + i);
        if (!s.readFlashByte(i == count - 1, value))
            return false;
        const Comparison c = compareByte(s.image, area, i, value);
        if (c.differs())
            return s.fail(programmingMismatch(area, base + i, c.device, c.image));
        s.post.postProgress(percent(i, count - 1));
    }
    return true;
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
