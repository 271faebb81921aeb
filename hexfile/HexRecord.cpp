#include "hexfile/HexRecord.h"

#include "hexfile/HexByteCodec.h"
#include "hexfile/HexLineChecksum.h"

namespace velmora {

namespace {
constexpr std::size_t kMinRecordTextLength = 11;
constexpr std::size_t kFixedTextLength = 11; // ":" LL AAAA TT CC
}

HexRecord::Status HexRecord::parse(std::string_view text)
{
    if (text.size() < kMinRecordTextLength || text.size() > kMaxRecordTextLength)
        return Status::FormatError;
    // Every valid length is odd; an even one could not match 11 + 2·LL either.
    if (text.size() % 2 == 0)
        return Status::FormatError;
    const std::size_t byteCount = (text.size() - 1) / 2;
    std::uint32_t sum = 0;
    for (std::size_t index = 0; index < byteCount; ++index) {
        const int value = hexcodec::decodePair(text[1 + 2 * index], text[2 + 2 * index]);
        if (value < 0)
            return Status::FormatError;
        bytes_[index] = static_cast<std::uint8_t>(value);
        if (index + 1 < byteCount)
            sum += static_cast<std::uint32_t>(value);
    }
    if (text.size() != kFixedTextLength + 2 * std::size_t{length()})
        return Status::FormatError;
    if (bytes_[byteCount - 1] != ChecksumOfSum(sum))
        return Status::ChecksumError;
    return Status::Valid;
}

} // namespace velmora
