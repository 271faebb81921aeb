#include "hexfile/ApplyChecksum.h"

#include <algorithm>
#include <optional>

#include "devicedata/IntegerText.h"
#include "hexfile/HexMessages.h"
#include "hexfile/InvalidIntegerValue.h"

namespace velmora {

namespace {

constexpr Address kBytesPerWord = 2;

Address programSizeOf(const MemoryImage& image)
{
    return std::min(image.programMemorySize, kProgramMemoryCapacity);
}

// Program words are little-endian: the even address holds the low byte.
std::uint16_t wordAt(const MemoryImage& image, Address word)
{
    const Address low = word * kBytesPerWord;
    return static_cast<std::uint16_t>(image.programMemory[low] | image.programMemory[low + 1] << 8);
}

} // namespace

std::uint16_t ProgramChecksum(const MemoryImage& image, std::int32_t type)
{
    if (type != SimpleSumOfWords && type != AdditionToZero)
        return 0;
    const Address wordCount = programSizeOf(image) / kBytesPerWord;
    std::uint32_t sum = 0;
    for (Address word = 0; word + 1 < wordCount; ++word)
        sum += wordAt(image, word);
    const auto simpleSum = static_cast<std::uint16_t>(sum);
    if (type == AdditionToZero)
        return static_cast<std::uint16_t>(0x10000 - simpleSum);
    return simpleSum;
}

void ApplyChecksum(DeviceImage& image, const ChecksumSettings& settings, UserMessages& messages)
{
    if (!settings.enabled)
        return;
    const Address wordCount = programSizeOf(image.image) / kBytesPerWord;
    if (wordCount == 0)
        return;
    const Address lastWord = wordCount - 1;
    const std::uint16_t checksum = ProgramChecksum(image.image, settings.type);
    const std::uint16_t old = wordAt(image.image, lastWord);

    if (settings.warnEnabled) {
        const std::optional<std::int32_t> expected = ParseInteger(settings.warnValue);
        if (!expected)
            throw InvalidIntegerValue(settings.warnValue);
        if (*expected != old && checksum != old) {
            const MessageButton answer = messages.showMessage(
                MessageKind::Warning, std::string(hexmessages::kChecksumQuestion), ButtonYes | ButtonNo);
            if (answer != ButtonYes)
                return;
        }
    }

    const Address low = lastWord * kBytesPerWord;
    image.image.programMemory[low] = static_cast<std::uint8_t>(checksum);
    image.image.programMemory[low + 1] = static_cast<std::uint8_t>(checksum >> 8);
    image.SetProgramPresent(low, true);
    image.SetProgramPresent(low + 1, true);
}

} // namespace velmora
