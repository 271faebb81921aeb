#include "engine/operations/AreaComparison.h"

#include "devicedata/ConfigMasks.h"
#include "engine/operations/OperationContext.h"

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

ByteVisitor failAtDifference(const OperationContext& c, MemoryArea area, Address base)
{
    return [c, area, base](std::uint32_t index, std::uint8_t value) {
        const Comparison compared = compareByte(c.image(), area, index, value);
        if (!compared.differs())
            return AfterByte::Next;
        c.frame.fail(programmingMismatch(area, base + index, compared.device, compared.image));
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

bool verifyWrittenArea(const OperationContext& c, MemoryArea area, Address base, std::uint32_t count)
{
    return c.table().read(base, count, failAtDifference(c, area, base));
}

bool writeAndVerifyArea(const OperationContext& c, const char* writeAction, const std::function<bool()>& write,
                        const char* verifyAction, MemoryArea area, Address base, std::uint32_t count)
{
    c.frame.startArea(writeAction);
    if (!write() || !c.frame.endArea())
        return false;
    c.frame.startArea(verifyAction);
    return verifyWrittenArea(c, area, base, count) && c.frame.endArea();
}

} // namespace velmora
