// Arbitrary bytes as a HEX file, loaded for one of a few device sizes (picked by the
// input's length so the text itself stays whole) and handed to the loader in reads of
// a few hundred bytes at most, so that lines cross the reader's refills even in short
// inputs. Whatever the input:
// - at most one message, and only texts the loader has;
// - after an error the image is blank with every byte present;
// - nothing lands beyond the device's program memory or EEPROM, the device ID stays blank;
// - a successful load survives a save and a reload byte for byte (on the 64 KB device
//   when it reached the second segment).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "devicedata/DeviceImage.h"
#include "hexfile/HexLineReader.h"
#include "hexfile/HexMessages.h"
#include "hexfile/LoadHexFile.h"
#include "hexfile/MemoryByteSource.h"
#include "hexfile/SaveHexFile.h"

namespace {

using namespace velmora;

struct DeviceSize {
    std::int32_t program;
    std::int32_t eeprom;
};
// Small, odd, none, and one that spans two 64 KB segments.
constexpr DeviceSize kSizes[] = {{0x800, 0x100}, {21, 0}, {0x10010, 0x400}, {0, 3}};

class Recorder final : public UserMessages {
public:
    int count = 0;
    MessageKind kind = MessageKind::Information;
    std::string text;

    MessageButton showMessage(MessageKind shownKind, const std::string& shownText, MessageButtons) override
    {
        ++count;
        kind = shownKind;
        text = shownText;
        return ButtonOk;
    }
};

// Hands out at most `piece` bytes per read, as a slow pipe or a network file would.
class TricklingSource final : public ByteSource {
public:
    TricklingSource(std::string_view bytes, std::size_t piece) : remaining_(bytes), piece_(piece) {}

    std::optional<std::size_t> read(std::span<char> buffer) override
    {
        const std::size_t count = std::min({buffer.size(), remaining_.size(), piece_});
        if (count != 0)
            std::memcpy(buffer.data(), remaining_.data(), count);
        remaining_.remove_prefix(count);
        return count;
    }

private:
    std::string_view remaining_;
    std::size_t piece_;
};

class StringSink final : public ByteSink {
public:
    std::string text;
    bool write(std::string_view bytes) override
    {
        text += bytes;
        return true;
    }
};

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool isLoaderText(const std::string& text)
{
    using namespace hexmessages;
    for (std::string_view whole : {kCannotOpenFile, kFileIoError, kFormatError, kEofMissing})
        if (text == whole)
            return true;
    for (std::string_view prefix : {kChecksumErrorPrefix, kSegmentAddressPrefix, kLinearAddressPrefix,
                                    kAddressBeyondDevice, kAddressOutsideMap})
        if (text.starts_with(prefix) && text.ends_with(kLineNumberSuffix) && text.size() > prefix.size() + 1)
            return true;
    return false;
}

// memcmp against a blank block: a byte loop would dominate every run of this fuzzer.
bool allBlank(const std::uint8_t* begin, const std::uint8_t* end)
{
    static const std::vector<std::uint8_t> blank(kProgramMemoryCapacity, kBlank);
    return std::memcmp(begin, blank.data(), static_cast<std::size_t>(end - begin)) == 0;
}

// Saving and reloading a whole 64 KB device costs more than most inputs' load; it is
// done only for inputs that reached the second segment, where the round trip has an
// extended address record to get right. Small devices always make it.
bool worthRoundTrip(const DeviceImage& image, Address program)
{
    constexpr Address kSegment = 0x10000;
    if (program <= kSegment)
        return true;
    for (Address address = kSegment; address < program; ++address)
        if (image.IsProgramPresent(address))
            return true;
    return false;
}

std::unique_ptr<DeviceImage> makeImage(const DeviceSize& size)
{
    auto image = std::make_unique<DeviceImage>();
    DeviceRecord record;
    record.name = "FUZZ";
    record.programMemorySize = size.program;
    record.eepromSize = size.eeprom;
    image->SelectDevice(record);
    return image;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const DeviceSize& device = kSizes[size % std::size(kSizes)];
    static std::unique_ptr<DeviceImage> images[std::size(kSizes)];
    std::unique_ptr<DeviceImage>& slot = images[size % std::size(kSizes)];
    if (!slot)
        slot = makeImage(device);
    DeviceImage& image = *slot;
    const MemoryImage& memory = image.image;

    Recorder messages;
    // Sizes from 1 byte up to beyond the longest record, picked by the length too.
    TricklingSource source(text, 1 + (size * 7919) % (kMaxRecordTextLength + 64));
    LoadHex(image, source, messages);
    check(messages.count <= 1);
    check(messages.count == 0 || isLoaderText(messages.text));
    const bool failed = messages.count == 1 && messages.kind == MessageKind::Error;

    const auto program = static_cast<Address>(device.program);
    const auto eeprom = static_cast<Address>(device.eeprom);
    check(allBlank(memory.programMemory + program, std::end(memory.programMemory)));
    check(allBlank(memory.eeprom + eeprom, std::end(memory.eeprom)));
    check(allBlank(std::begin(memory.deviceId), std::end(memory.deviceId)));
    if (failed) {
        check(allBlank(memory.programMemory, std::end(memory.programMemory)));
        check(image.IsProgramPresent(0) && image.IsEepromPresent(kEepromCapacity - 1));
        return 0;
    }
    check(!image.IsProgramPresent(program) && !image.IsEepromPresent(eeprom));
    if (!worthRoundTrip(image, program))
        return 0;

    StringSink sink;
    check(WriteHexImage(image, sink));
    static std::unique_ptr<DeviceImage> reloaded[std::size(kSizes)];
    std::unique_ptr<DeviceImage>& copy = reloaded[size % std::size(kSizes)];
    if (!copy)
        copy = makeImage(device);
    Recorder reloadMessages;
    MemoryByteSource written(sink.text);
    LoadHex(*copy, written, reloadMessages);
    check(reloadMessages.count == 0);
    const MemoryImage& again = copy->image;
    check(std::memcmp(memory.programMemory, again.programMemory, program) == 0);
    check(std::memcmp(memory.eeprom, again.eeprom, eeprom) == 0);
    check(std::memcmp(memory.ids, again.ids, sizeof memory.ids) == 0);
    check(std::memcmp(memory.config, again.config, sizeof memory.config) == 0);
    return 0;
}
