#include "corvant/sim/IntelHex.h"

#include <algorithm>
#include <array>
#include <vector>

#include "sim/TextFormat.h"

namespace velmora::sim {

namespace {

enum RecordType : std::uint8_t {
    kData = 0x00,
    kEndOfFile = 0x01,
    kExtendedSegmentAddress = 0x02,
    kStartSegmentAddress = 0x03,
    kExtendedLinearAddress = 0x04,
    kStartLinearAddress = 0x05,
};

constexpr std::size_t kRecordBytesPerLine = 16;

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool isBlank(std::string_view line)
{
    return std::ranges::all_of(line, [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

std::string_view trimmed(std::string_view line)
{
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ' || line.back() == '\t'))
        line.remove_suffix(1);
    while (!line.empty() && (line.front() == ' ' || line.front() == '\t'))
        line.remove_prefix(1);
    return line;
}

HexParseResult failure(int line, std::string error)
{
    return HexParseResult {false, line, std::move(error)};
}

} // namespace

HexParseResult parseIntelHex(std::string_view text,
                             const std::function<void(std::uint32_t, std::uint8_t)>& store)
{
    std::uint32_t base = 0;
    bool segmented = false;
    int lineNumber = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view {} : text.substr(end + 1);
        ++lineNumber;
        if (isBlank(line))
            continue;
        line = trimmed(line);
        if (line.front() != ':')
            return failure(lineNumber, "a record must start with ':'");
        line.remove_prefix(1);
        if (line.size() % 2 != 0 || line.size() < 10)
            return failure(lineNumber, "record too short or of odd length");
        std::vector<std::uint8_t> bytes;
        bytes.reserve(line.size() / 2);
        for (std::size_t i = 0; i < line.size(); i += 2) {
            const int high = hexValue(line[i]);
            const int low = hexValue(line[i + 1]);
            if (high < 0 || low < 0)
                return failure(lineNumber, "not a hexadecimal digit");
            bytes.push_back(static_cast<std::uint8_t>(high << 4 | low));
        }
        const std::size_t length = bytes[0];
        if (bytes.size() != length + 5)
            return failure(lineNumber, "record length does not match its byte count");
        std::uint8_t sum = 0;
        for (std::uint8_t byte : bytes)
            sum = static_cast<std::uint8_t>(sum + byte);
        if (sum != 0)
            return failure(lineNumber, "checksum mismatch");
        const auto offset = static_cast<std::uint16_t>(bytes[1] << 8 | bytes[2]);
        const std::uint8_t type = bytes[3];
        const std::span<const std::uint8_t> payload(bytes.data() + 4, length);
        switch (type) {
        case kData:
            for (std::size_t i = 0; i < length; ++i) {
                // Segment addresses wrap inside their 64 KB; linear ones run on.
                const std::uint32_t address = segmented
                    ? base + ((offset + i) & 0xFFFF)
                    : base + offset + static_cast<std::uint32_t>(i);
                store(address, payload[i]);
            }
            break;
        case kEndOfFile:
            return HexParseResult {true, lineNumber, {}};
        case kExtendedSegmentAddress:
        case kExtendedLinearAddress:
            if (length != 2)
                return failure(lineNumber, "address record must carry 2 bytes");
            segmented = type == kExtendedSegmentAddress;
            base = static_cast<std::uint32_t>(payload[0] << 8 | payload[1]) << (segmented ? 4 : 16);
            break;
        case kStartSegmentAddress:
        case kStartLinearAddress:
            if (length != 4)
                return failure(lineNumber, "start address record must carry 4 bytes");
            break;
        default:
            return failure(lineNumber, "unknown record type " + hexDigits(type, 2));
        }
    }
    return failure(lineNumber, "no end-of-file record");
}

void IntelHexWriter::data(std::uint32_t address, std::span<const std::uint8_t> bytes)
{
    while (!bytes.empty()) {
        const auto upper = address >> 16;
        if (upper != upper_ || text_.empty()) {
            upper_ = upper;
            const std::array<std::uint8_t, 2> value {static_cast<std::uint8_t>(upper >> 8),
                                                      static_cast<std::uint8_t>(upper)};
            record(kExtendedLinearAddress, 0, value);
        }
        const std::size_t toBoundary = 0x10000 - (address & 0xFFFF);
        const std::size_t count = std::min({bytes.size(), kRecordBytesPerLine, toBoundary});
        record(kData, static_cast<std::uint16_t>(address & 0xFFFF), bytes.first(count));
        bytes = bytes.subspan(count);
        address += static_cast<std::uint32_t>(count);
    }
}

std::string IntelHexWriter::finish()
{
    record(kEndOfFile, 0, {});
    return std::move(text_);
}

void IntelHexWriter::record(std::uint8_t type, std::uint16_t offset, std::span<const std::uint8_t> bytes)
{
    auto sum = static_cast<std::uint8_t>(bytes.size() + (offset >> 8) + (offset & 0xFF) + type);
    text_ += ':';
    text_ += hexDigits(static_cast<std::uint32_t>(bytes.size()), 2);
    text_ += hexDigits(offset, 4);
    text_ += hexDigits(type, 2);
    for (std::uint8_t byte : bytes) {
        text_ += hexDigits(byte, 2);
        sum = static_cast<std::uint8_t>(sum + byte);
    }
    text_ += hexDigits(static_cast<std::uint8_t>(-sum), 2);
    text_ += "\r\n";
}

} // namespace velmora::sim
