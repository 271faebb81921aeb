#include "hexfile/HexRecord.h"

#include "hexfile/HexByteCodec.h"

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
    unsigned sum = 0;
    for (std::size_t index = 0; index < byteCount; ++index) {
        const int value = hexcodec::decodePair(text[1 + 2 * index], text[2 + 2 * index]);
        if (value < 0)
            return Status::FormatError;
        bytes_[index] = static_cast<std::uint8_t>(value);
        sum += static_cast<unsigned>(value);
    }
    if (text.size() != kFixedTextLength + 2 * std::size_t{length()})
        return Status::FormatError;
    // Adding CC to the sum of the bytes before it gives 0 modulo 256 exactly when CC is
    // the checksum HexLineChecksum computes for this all-hex text.
    if ((sum & 0xFF) != 0)
        return Status::ChecksumError;
    return Status::Valid;
}

} // namespace velmora
