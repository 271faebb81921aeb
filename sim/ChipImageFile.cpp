#include "sim/ChipImageFile.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <span>
#include <system_error>

#include "sim/AddressMap.h"
#include "sim/IntelHex.h"

namespace velmora::sim {

namespace {

constexpr std::size_t kLineBytes = 16;

// Adds `bytes` at `address`, leaving out 16-byte lines that are entirely erased.
void addSkippingErased(IntelHexWriter& writer, std::uint32_t address, std::span<const std::uint8_t> bytes)
{
    for (std::size_t offset = 0; offset < bytes.size(); offset += kLineBytes) {
        const auto line = bytes.subspan(offset, std::min(kLineBytes, bytes.size() - offset));
        if (std::ranges::all_of(line, [](std::uint8_t b) { return b == 0xFF; }))
            continue;
        writer.data(address + static_cast<std::uint32_t>(offset), line);
    }
}

} // namespace

ImageLoad loadChipImage(const std::filesystem::path& path, ChipMemory& memory, std::string& error)
{
    memory.eraseEverything();
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored))
        return ImageLoad::Missing;
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        error = "cannot open " + path.string();
        return ImageLoad::Invalid;
    }
    const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        error = "cannot read " + path.string();
        return ImageLoad::Invalid;
    }
    const HexParseResult result = parseIntelHex(text, [&memory](std::uint32_t address, std::uint8_t value) {
        memory.storeImageByte(address, value);
    });
    if (!result.ok) {
        memory.eraseEverything();
        error = path.string() + ", line " + std::to_string(result.line) + ": " + result.error;
        return ImageLoad::Invalid;
    }
    return ImageLoad::Loaded;
}

bool saveChipImage(const std::filesystem::path& path, const ChipMemory& memory, std::string& error)
{
    IntelHexWriter writer;
    addSkippingErased(writer, 0, memory.programMemory());
    addSkippingErased(writer, kIdAddress, memory.ids());
    writer.data(kConfigAddress, memory.config());
    addSkippingErased(writer, kHexEepromAddress, memory.eeprom());
    const std::string text = writer.finish();

    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(text.data(), static_cast<std::streamsize>(text.size()));
        file.close();
        if (!file) {
            error = "cannot write " + temporary.string();
            return false;
        }
    }
    std::error_code failure;
    std::filesystem::rename(temporary, path, failure);
    if (failure) {
        error = "cannot replace " + path.string() + ": " + failure.message();
        std::filesystem::remove(temporary, failure);
        return false;
    }
    return true;
}

} // namespace velmora::sim
