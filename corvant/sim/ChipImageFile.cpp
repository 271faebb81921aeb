#include "corvant/sim/ChipImageFile.h"

#include <algorithm>
#include <span>

#include "sim/AddressMap.h"
#include "corvant/sim/SimFiles.h"
#include "corvant/sim/IntelHex.h"
#include "platform/ReplacingFile.h"
#include "platform/Utf8Path.h"

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
    std::string text;
    if (!readImageText(path, text, error))
        return error.empty() ? ImageLoad::Missing : ImageLoad::Invalid;
    return loadChipImageText(text, path.string(), memory, error);
}

ImageLoad loadChipImageText(std::string_view text, const std::string& name, ChipMemory& memory, std::string& error)
{
    memory.eraseEverything();
    if (text.empty())
        return ImageLoad::Missing;
    const HexParseResult result = parseIntelHex(text, [&memory](std::uint32_t address, std::uint8_t value) {
        memory.storeImageByte(address, value);
    });
    if (!result.ok) {
        memory.eraseEverything();
        error = name + ", line " + std::to_string(result.line) + ": " + result.error;
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

    // Written beside the image and renamed over it, so a failed save keeps the last one.
    switch (platform::replaceFileContents(platform::utf8FromPath(path), text)) {
    case platform::ReplaceResult::Done: return true;
    case platform::ReplaceResult::CannotCreate:
    case platform::ReplaceResult::WriteFailed: error = "cannot write " + path.string(); return false;
    case platform::ReplaceResult::CloseFailed: break;
    }
    error = "cannot replace " + path.string();
    return false;
}

} // namespace velmora::sim
