#include "sim/EraseOptions.h"

namespace velmora::sim {

namespace {

// Panel family options written to 3C0004h.
constexpr std::uint8_t kPanelChipErase = 0x80;
constexpr std::uint8_t kPanelEepromErase = 0x81;
constexpr std::uint8_t kPanelBootErase = 0x83;
constexpr std::uint8_t kPanelFirstBlockErase = 0x88;
constexpr std::uint8_t kPanelLastBlockErase = 0x8F;
// DS39622 option bits, 3C0005h:3C0004h.
constexpr std::uint8_t kKeyBoot = 0x01;
constexpr std::uint8_t kKeyConfig = 0x02;
constexpr std::uint8_t kKeyEeprom = 0x04;
constexpr std::uint8_t kKeyIds = 0x08;
constexpr std::uint8_t kKeyCodeBlocks = 0x3F;
// K family options (DS41398B Table 3-2, DS41357B Table 4-1, DS41297D Table 3-2).
constexpr std::uint16_t kKChipErase = 0x0F8F;
constexpr std::uint16_t kK20ChipErase = 0x0F87;
constexpr std::uint16_t kKIdsErase = 0x0088;
constexpr std::uint16_t kKEepromErase = 0x0084;
constexpr std::uint16_t kKBootErase = 0x0081;
constexpr std::uint16_t kKConfigErase = 0x0082;
constexpr std::uint8_t kKBlockEraseLow = 0x80;
constexpr int kKBlockOptions = 4;   // 0180h, 0280h, 0480h, 0880h
// The J parts' only option: 0101h to 3C0005h, 8080h to 3C0004h (DS39687E Table 3-1).
constexpr std::uint16_t kJChipErase = 0x0180;

std::uint16_t allCodeBlocks(const ChipModel& model)
{
    return static_cast<std::uint16_t>((1U << model.codeBlockCount()) - 1);
}

EraseSelection everything(const ChipModel& model)
{
    return EraseSelection {.bootBlock = true, .codeBlocks = allCodeBlocks(model), .eeprom = true, .ids = true,
                           .configuration = true};
}

EraseSelection panelSelection(const ChipModel& model, std::uint8_t option)
{
    const std::uint16_t allBlocks = allCodeBlocks(model);
    if (option == kPanelChipErase) {
        // The older chips keep their non-protection configuration bits through a bulk erase.
        return EraseSelection {.bootBlock = true, .codeBlocks = allBlocks, .eeprom = true, .ids = true,
                               .configuration = false, .protectionBits = true};
    }
    if (option == kPanelEepromErase)
        return EraseSelection {.eeprom = true};
    if (option == kPanelBootErase)
        return EraseSelection {.bootBlock = true};
    if (option >= kPanelFirstBlockErase && option <= kPanelLastBlockErase)
        return EraseSelection {.codeBlocks = static_cast<std::uint16_t>((1U << (option - kPanelFirstBlockErase)) & allBlocks)};
    return {};
}

EraseSelection bufferSelection(const ChipModel& model, std::uint8_t high, std::uint8_t low)
{
    return EraseSelection {.bootBlock = (low & kKeyBoot) != 0,
                           .codeBlocks = static_cast<std::uint16_t>(high & kKeyCodeBlocks & allCodeBlocks(model)),
                           .eeprom = (low & kKeyEeprom) != 0,
                           .ids = (low & kKeyIds) != 0,
                           .configuration = (low & kKeyConfig) != 0};
}

// DS41297D lists no ID option and takes 0F87h for the chip erase; the chip erase is
// taken to clear the whole chip, IDs included, on all three families.
EraseSelection kFamilySelection(const ChipModel& model, std::uint16_t keys, bool codeProtected)
{
    const bool k20 = model.family == ChipFamily::K20;
    if (keys == (k20 ? kK20ChipErase : kKChipErase))
        return everything(model);
    switch (keys) {
    case kKEepromErase: return EraseSelection {.eeprom = true};
    case kKBootErase: return EraseSelection {.bootBlock = true};
    case kKConfigErase: return EraseSelection {.configuration = true};
    case kKIdsErase: return k20 ? EraseSelection {} : EraseSelection {.ids = true};
    default: break;
    }
    for (int block = 0; block < kKBlockOptions && block < model.codeBlockCount(); ++block) {
        const auto option = static_cast<std::uint16_t>((1U << (block + 8)) | kKBlockEraseLow);
        if (keys != option)
            continue;
        // "When any one or more blocks of code space are code protected, then all code
        // blocks will be erased by default" (DS41398B section 3.1.1).
        const auto blocks = codeProtected ? allCodeBlocks(model) : static_cast<std::uint16_t>(1U << block);
        return EraseSelection {.codeBlocks = blocks};
    }
    return {};
}

} // namespace

EraseSelection eraseSelectionFor(const ChipModel& model, std::uint8_t high, std::uint8_t low, bool codeProtected)
{
    switch (model.family) {
    case ChipFamily::PanelWrite:
        return panelSelection(model, low);
    case ChipFamily::BufferWrite:
        return bufferSelection(model, high, low);
    case ChipFamily::K22:
    case ChipFamily::OneXK22:
    case ChipFamily::K20:
        return kFamilySelection(model, static_cast<std::uint16_t>(high << 8 | low), codeProtected);
    case ChipFamily::J10:
    case ChipFamily::J2X4X:
    case ChipFamily::J6X8X:
    case ChipFamily::J60:
        return static_cast<std::uint16_t>(high << 8 | low) == kJChipErase ? everything(model) : EraseSelection {};
    }
    return {};
}

} // namespace velmora::sim
