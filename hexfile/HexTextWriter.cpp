#include "hexfile/HexTextWriter.h"

#include <string_view>

#include "hexfile/HexByteCodec.h"
#include "hexfile/HexLineChecksum.h"
#include "hexfile/HexRecordType.h"

namespace velmora {

namespace {

constexpr std::size_t kFlushThreshold = 256 * 1024;
// ":" LL AAAA TT, 255 data bytes, CC, CR LF.
constexpr std::size_t kMaxRecordLine = 1 + 2 * (4 + 255 + 1) + 2;
constexpr std::size_t kMaxDataBytes = 255;

} // namespace

HexTextWriter::HexTextWriter(ByteSink& sink) : sink_(sink), buffer_(kFlushThreshold + kMaxRecordLine) {}

void HexTextWriter::dataRecord(std::uint16_t offset, std::span<const std::uint8_t> bytes)
{
    record(static_cast<std::uint8_t>(HexRecordType::Data), offset, bytes);
}

void HexTextWriter::extendedLinearAddress(std::uint16_t upperBits)
{
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(upperBits >> 8), static_cast<std::uint8_t>(upperBits)};
    record(static_cast<std::uint8_t>(HexRecordType::ExtendedLinearAddress), 0, bytes);
}

void HexTextWriter::endOfFile()
{
    record(static_cast<std::uint8_t>(HexRecordType::EndOfFile), 0, {});
}

void HexTextWriter::record(std::uint8_t type, std::uint16_t offset, std::span<const std::uint8_t> bytes)
{
    const auto length = static_cast<std::uint8_t>(bytes.size() < kMaxDataBytes ? bytes.size() : kMaxDataBytes);
    const auto offsetHigh = static_cast<std::uint8_t>(offset >> 8);
    const auto offsetLow = static_cast<std::uint8_t>(offset);
    std::uint32_t sum = std::uint32_t{length} + offsetHigh + offsetLow + type;
    char* out = buffer_.data() + used_;
    *out++ = ':';
    out = hexcodec::encodeByte(out, length);
    out = hexcodec::encodeByte(out, offsetHigh);
    out = hexcodec::encodeByte(out, offsetLow);
    out = hexcodec::encodeByte(out, type);
    for (std::size_t index = 0; index < length; ++index) {
        out = hexcodec::encodeByte(out, bytes[index]);
        sum += bytes[index];
    }
    out = hexcodec::encodeByte(out, ChecksumOfSum(sum));
    *out++ = '\r';
    *out++ = '\n';
    used_ = static_cast<std::size_t>(out - buffer_.data());
    if (used_ >= kFlushThreshold)
        flush();
}

void HexTextWriter::flush()
{
    if (used_ != 0 && !failed_)
        failed_ = !sink_.write(std::string_view(buffer_.data(), used_));
    used_ = 0;
}

bool HexTextWriter::finish()
{
    flush();
    return !failed_;
}

} // namespace velmora
