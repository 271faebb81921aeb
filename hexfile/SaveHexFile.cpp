#include "hexfile/SaveHexFile.h"

#include <algorithm>
#include <span>

#include "devicedata/ConfigLocation.h"
#include "hexfile/HexMessages.h"
#include "hexfile/HexTextWriter.h"
#include "platform/ReplacingFile.h"

namespace velmora {

namespace {

using platform::ReplacingFile;

// The writer's text goes straight into the new version of the file.
class ReplacingFileSink final : public ByteSink {
public:
    explicit ReplacingFileSink(ReplacingFile& file) : file_(file) {}
    bool write(std::string_view bytes) override { return file_.write(bytes); }

private:
    ReplacingFile& file_;
};

constexpr std::size_t kBytesPerRecord = 16;
constexpr Address kSegmentSize = 0x10000;
constexpr unsigned kUpperBitsShift = 16;

// Records of up to 16 bytes from address first on; a new extended linear address
// record precedes the first record of every further 64 KB segment. Records never
// straddle a segment because they start at multiples of 16 from a segment start.
void writeArea(HexTextWriter& writer, Address first, std::span<const std::uint8_t> bytes)
{
    for (std::size_t index = 0; index < bytes.size(); index += kBytesPerRecord) {
        const auto address = static_cast<Address>(first + index);
        if (index != 0 && address % kSegmentSize == 0)
            writer.extendedLinearAddress(static_cast<std::uint16_t>(address >> kUpperBitsShift));
        const std::size_t count = std::min(kBytesPerRecord, bytes.size() - index);
        writer.dataRecord(static_cast<std::uint16_t>(address), bytes.subspan(index, count));
    }
}

std::uint16_t upperBitsOf(Address address)
{
    return static_cast<std::uint16_t>(address >> kUpperBitsShift);
}

void writeIdsAndConfig(HexTextWriter& writer, const MemoryImage& image)
{
    writer.extendedLinearAddress(upperBitsOf(kIdAddress));
    writer.dataRecord(0, image.ids);
    writer.extendedLinearAddress(upperBitsOf(kConfigAddress));
    writer.dataRecord(0, image.config);
}

// A J part's configuration words sit at the top of flash, where the chip and the
// assemblers keep them, right after its code (it has no EEPROM); it has no IDs.
void writeFlashConfig(HexTextWriter& writer, const MemoryImage& image)
{
    const Address address = flashConfigAddress(image);
    if (address % kSegmentSize == 0)
        writer.extendedLinearAddress(upperBitsOf(address));
    writer.dataRecord(static_cast<std::uint16_t>(address), std::span(image.config, kFlashConfigCount));
}

} // namespace

bool WriteHexImage(const DeviceImage& device, ByteSink& sink)
{
    HexTextWriter writer(sink);
    const MemoryImage& image = device.image;
    const Address programSize = std::min(image.programMemorySize, kProgramMemoryCapacity);
    const Address eepromSize = std::min(image.eepromSize, kEepromCapacity);

    writer.extendedLinearAddress(0);
    writeArea(writer, 0, std::span(image.programMemory, programSize));
    if (eepromSize != 0) {
        writer.extendedLinearAddress(upperBitsOf(kHexEepromAddress));
        writeArea(writer, kHexEepromAddress, std::span(image.eeprom, eepromSize));
    }
    if (configInFlash(device.device))
        writeFlashConfig(writer, image);
    else
        writeIdsAndConfig(writer, image);
    writer.endOfFile();
    return writer.finish();
}

bool CanSaveHexFile(const std::string& fileName)
{
    return ReplacingFile::canReplace(fileName);
}

void SaveHexFile(const DeviceImage& image, const std::string& fileName, UserMessages& messages)
{
    ReplacingFile file;
    if (!file.open(fileName)) {
        showError(messages, std::string(hexmessages::kCannotCreateFile));
        return;
    }
    ReplacingFileSink sink(file);
    if (!WriteHexImage(image, sink)) {
        file.discard();
        showError(messages, std::string(hexmessages::kFileWriteError));
        return;
    }
    switch (file.commit()) {
    case ReplacingFile::CommitResult::Done:
        return;
    case ReplacingFile::CommitResult::WriteFailed:
        showError(messages, std::string(hexmessages::kFileWriteError));
        return;
    case ReplacingFile::CommitResult::CloseFailed:
        showError(messages, std::string(hexmessages::kFileCloseError));
        return;
    }
}

} // namespace velmora
