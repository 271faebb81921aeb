#include "hexfile/HexImageLoader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "devicedata/ConfigLocation.h"
#include "hexfile/HexLineReader.h"
#include "hexfile/HexMessages.h"
#include "hexfile/HexRecordType.h"

namespace velmora {

namespace {

constexpr std::uint64_t kSegmentSize = 0x10000;
constexpr std::uint64_t kSegmentBaseShift = 4;  // type 02: paragraph number × 16
constexpr std::uint64_t kLinearBaseShift = 16;  // type 04: upper 16 address bits
constexpr std::size_t kAddressRecordLength = 2;

std::string withLineNumber(std::string_view prefix, std::uint64_t lineNumber)
{
    std::string text(prefix);
    text += std::to_string(lineNumber);
    text += hexmessages::kLineNumberSuffix;
    return text;
}

// The message, then where in the file the address was asked for.
std::string withAddressAndLine(std::string_view message, const HexLoadResult& result)
{
    char address[24];
    std::snprintf(address, sizeof address, "%06llX", static_cast<unsigned long long>(result.address));
    std::string text(message);
    text += hexmessages::kOffendingAddressPrefix;
    text += address;
    text += hexmessages::kOffendingLinePrefix;
    return withLineNumber(text, result.lineNumber);
}

bool within(std::uint64_t address, std::uint64_t first, std::uint64_t count)
{
    return address >= first && address - first < count;
}

// Marks count program bytes from first present. Whole bitmap bytes are set at once (bit
// a mod 8 of byte a div 8 is address a), the ragged ends bit by bit: a full-size file has
// a million bytes to mark.
void markProgramPresent(DeviceImage& image, Address first, std::size_t count)
{
    constexpr Address kBitsPerByte = 8;
    const Address end = first + static_cast<Address>(count);
    Address address = first;
    for (; address < end && address % kBitsPerByte != 0; ++address)
        image.SetProgramPresent(address, true);
    for (; end - address >= kBitsPerByte; address += kBitsPerByte)
        image.programPresent[address / kBitsPerByte] = 0xFF;
    for (; address < end; ++address)
        image.SetProgramPresent(address, true);
}

} // namespace

std::string HexLoadErrorText(const HexLoadResult& result)
{
    using namespace hexmessages;
    switch (result.error) {
    case HexLoadError::None:
        return {};
    case HexLoadError::CannotOpen:
        return std::string(kCannotOpenFile);
    case HexLoadError::ReadFailed:
        return std::string(kFileIoError);
    case HexLoadError::Format:
        return std::string(kFormatError);
    case HexLoadError::Checksum:
        return withLineNumber(kChecksumErrorPrefix, result.lineNumber);
    case HexLoadError::AddressBeyondDevice:
        return withAddressAndLine(kAddressBeyondDevice, result);
    case HexLoadError::AddressOutsideMap:
        return withAddressAndLine(kAddressOutsideMap, result);
    case HexLoadError::SegmentAddress:
        return withLineNumber(kSegmentAddressPrefix, result.lineNumber);
    case HexLoadError::LinearAddress:
        return withLineNumber(kLinearAddressPrefix, result.lineNumber);
    }
    return {};
}

HexImageLoader::HexImageLoader(DeviceImage& image)
    : image_(image),
      programSize_(std::min(image.image.programMemorySize, kProgramMemoryCapacity)),
      eepromSize_(std::min(image.image.eepromSize, kEepromCapacity)),
      configInFlash_(configInFlash(image.device))
{
}

HexLoadResult HexImageLoader::load(ByteSource& source)
{
    HexLineReader reader(source);
    HexRecord record;
    HexLoadResult result;
    for (;;) {
        const HexLineReader::Status status = reader.next();
        if (status == HexLineReader::Status::End)
            return result;
        if (status == HexLineReader::Status::ReadError) {
            result.error = HexLoadError::ReadFailed;
            return result;
        }
        const std::string_view line = reader.line();
        if (line.empty() || line.front() != ':')
            continue;
        result.lineNumber = reader.lineNumber();
        if (reader.overlong()) {
            result.error = HexLoadError::Format;
            return result;
        }
        switch (record.parse(line)) {
        case HexRecord::Status::Valid:
            break;
        case HexRecord::Status::FormatError:
            result.error = HexLoadError::Format;
            return result;
        case HexRecord::Status::ChecksumError:
            result.error = HexLoadError::Checksum;
            return result;
        }
        if (record.type() == static_cast<std::uint8_t>(HexRecordType::EndOfFile)) {
            result.endOfFileSeen = true;
            return result;
        }
        result.error = apply(record);
        result.address = refusedAddress_;
        result.configMovedToFlash = configMovedToFlash_;
        if (result.error != HexLoadError::None)
            return result;
    }
}

HexLoadError HexImageLoader::apply(const HexRecord& record)
{
    const std::span<const std::uint8_t> data = record.data();
    switch (static_cast<HexRecordType>(record.type())) {
    case HexRecordType::Data:
        return storeData(record);
    case HexRecordType::ExtendedSegmentAddress:
        if (data.size() != kAddressRecordLength)
            return HexLoadError::SegmentAddress;
        base_ = std::uint64_t{data[0]} << 8 | data[1];
        base_ <<= kSegmentBaseShift;
        segmentBase_ = true;
        return HexLoadError::None;
    case HexRecordType::ExtendedLinearAddress:
        if (data.size() != kAddressRecordLength)
            return HexLoadError::LinearAddress;
        base_ = std::uint64_t{data[0]} << 8 | data[1];
        base_ <<= kLinearBaseShift;
        segmentBase_ = false;
        return HexLoadError::None;
    case HexRecordType::EndOfFile:
        break;
    }
    return HexLoadError::Format;
}

HexLoadError HexImageLoader::storeData(const HexRecord& record)
{
    const std::span<const std::uint8_t> data = record.data();
    const std::uint64_t offset = record.offset();
    const bool contiguous = !segmentBase_ || offset + data.size() <= kSegmentSize;
    const std::uint64_t first = base_ + offset;
    // The common case, a whole record inside the device's program memory, in one copy.
    if (contiguous && first + data.size() <= programSize_) {
        const auto address = static_cast<Address>(first);
        std::memcpy(image_.image.programMemory + address, data.data(), data.size());
        markProgramPresent(image_, address, data.size());
        return HexLoadError::None;
    }
    for (std::size_t index = 0; index < data.size(); ++index) {
        const std::uint64_t address = segmentBase_ ? base_ + ((offset + index) % kSegmentSize) : first + index;
        const HexLoadError error = storeByte(address, data[index]);
        if (error != HexLoadError::None)
            return error;
    }
    return HexLoadError::None;
}

HexLoadError HexImageLoader::storeByte(std::uint64_t address, std::uint8_t value)
{
    MemoryImage& image = image_.image;
    // A J part keeps its configuration words in the 8 bytes above the code.
    if (configInFlash_ && within(address, programSize_, kFlashConfigCount)) {
        image.config[address - programSize_] = value;
        return HexLoadError::None;
    }
    if (address < kProgramMemoryCapacity) {
        if (address >= programSize_)
            return refuse(address, HexLoadError::AddressBeyondDevice);
        image.programMemory[address] = value;
        image_.SetProgramPresent(static_cast<Address>(address), true);
        return HexLoadError::None;
    }
    if (within(address, kHexEepromAddress, kEepromCapacity)) {
        const std::uint64_t index = address - kHexEepromAddress;
        if (index >= eepromSize_)
            return refuse(address, HexLoadError::AddressBeyondDevice);
        image.eeprom[index] = value;
        image_.SetEepromPresent(static_cast<Address>(index), true);
        return HexLoadError::None;
    }
    if (within(address, kIdAddress, kIdCount)) {
        if (configInFlash_)
            return refuse(address, HexLoadError::AddressBeyondDevice);
        image.ids[address - kIdAddress] = value;
        return HexLoadError::None;
    }
    if (within(address, kConfigAddress, kConfigCount)) {
        const std::uint64_t index = address - kConfigAddress;
        // Files built as for the other PIC18 parts carry a J part's words at 300000h:
        // taken, and the user told where they went.
        if (configInFlash_) {
            if (index >= kFlashConfigCount)
                return refuse(address, HexLoadError::AddressBeyondDevice);
            configMovedToFlash_ = true;
        }
        image.config[index] = value;
        return HexLoadError::None;
    }
    return refuse(address, HexLoadError::AddressOutsideMap);
}

HexLoadError HexImageLoader::refuse(std::uint64_t address, HexLoadError error)
{
    refusedAddress_ = address;
    return error;
}

} // namespace velmora
