#include "engine/WriteStrategyRules.h"

#include <array>

namespace velmora {

namespace {

constexpr Address kEraseControlLow = 0x3C0004;
constexpr Address kEraseControlHigh = 0x3C0005;

constexpr std::array<EraseKey, 1> kBulkErase = {{{kEraseControlLow, 0x0080}}};
// 3F3Fh to 3C0005h before 8F8Fh to 3C0004h.
constexpr std::array<EraseKey, 2> kChipErase = {{{kEraseControlHigh, 0x3F3F}, {kEraseControlLow, 0x8F8F}}};
// Chip erase 0F8Fh: every code block, IDs, EEPROM, boot block and configuration.
constexpr std::array<EraseKey, 2> kK22ChipErase = {{{kEraseControlHigh, 0x0F0F}, {kEraseControlLow, 0x8F8F}}};
// Chip erase 0F87h: as 0F8Fh without the IDs, for which the table lists no option.
constexpr std::array<EraseKey, 2> kK20ChipErase = {{{kEraseControlHigh, 0x0F0F}, {kEraseControlLow, 0x8787}}};

// The newer families' waits in 5 us units, each a minimum: P9 1 ms for code (with
// the half clock 1.005 ms), P9A 5 ms for IDs and configuration, P10 after a write or
// an erase, P11 for the bulk erase.
constexpr std::uint32_t kP9Units = 200;
constexpr std::uint32_t kP9AUnits = 1000;
constexpr std::uint32_t kK22P10Units = 40;    // 200 us
constexpr std::uint32_t kP10Units = 20;       // 100 us (1XK22, K20)
// 15 ms on the X5/X6 parts, 12 ms on X3/X4: the family's longest serves them all.
constexpr std::uint32_t kK22P11Units = 3000;
constexpr std::uint32_t kP11Units = 1000;     // 5 ms (1XK22, K20)

// Key entry (DS41398 §2.6): P18 >= 1 ms before the key, P20 >= 40 ns after it,
// P15 >= 400 us before the first command.
constexpr KeyEntryWaits kK22KeyEntry{200, 1, 80};

constexpr int kSelfTimedNops = 2;   // the write starts on the 4th clock of the second NOP after WR

// The classic parts: DS39622 and its predecessors.
constexpr WriteStrategyRules classic(WriteStrategy strategy, std::span<const EraseKey> keys,
                                     ProgramMemoryMethod method, ProgramMemoryMethod multiPanelMethod,
                                     bool panelParts)
{
    WriteStrategyRules rules;
    rules.strategy = strategy;
    rules.eraseKeys = keys;
    rules.method = method;
    rules.multiPanelMethod = multiPanelMethod;
    rules.singlePanelBeforeIdsAndConfig = rules.gotoBeforeConfigWords = panelParts;
    return rules;
}

// The K22, 1XK22 and K20 families: the classic buffer row with WREN before every
// write, P9A for IDs and configuration, self-timed EEPROM writes without the unlock,
// and their own keys and waits.
constexpr WriteStrategyRules newerFamily(ProgrammingFamily family, std::span<const EraseKey> keys,
                                         std::uint32_t p11Units, std::uint32_t p10Units, bool eraseIdRowApart,
                                         std::optional<KeyEntryWaits> keyEntry)
{
    WriteStrategyRules rules =
        classic(WriteStrategy::Buffers, keys, ProgramMemoryMethod::Buffer, ProgramMemoryMethod::Buffer, false);
    rules.family = family;
    rules.eraseWaits = {p11Units, p10Units};
    rules.eraseIdRowApart = eraseIdRowApart;
    rules.writeEnableBeforeWrites = true;
    rules.codeWaits = {kP9Units, p10Units};
    rules.idAndConfigWaits = {kP9AUnits, p10Units};
    rules.eepromUnlock = false;
    rules.nopsAfterWriteStart = kSelfTimedNops;
    rules.keyEntryWaits = keyEntry;
    return rules;
}

constexpr std::array<WriteStrategyRules, 5> kRules = {{
    classic(WriteStrategy::Panels, kBulkErase, ProgramMemoryMethod::SinglePanel, ProgramMemoryMethod::MultiPanel,
            true),
    classic(WriteStrategy::Buffers, kChipErase, ProgramMemoryMethod::Buffer, ProgramMemoryMethod::Buffer, false),
    newerFamily(ProgrammingFamily::K22, kK22ChipErase, kK22P11Units, kK22P10Units, false, kK22KeyEntry),
    newerFamily(ProgrammingFamily::OneXK22, kK22ChipErase, kP11Units, kP10Units, false, std::nullopt),
    // The K20 chip erase leaves the IDs, and no erase option lists them: their row is
    // erased by itself (TBLPTR = 200000h), as the K22 and 1XK22 documents allow for
    // the ID row and the K20 shares their row erase.
    newerFamily(ProgrammingFamily::K20, kK20ChipErase, kP11Units, kP10Units, true, std::nullopt),
}};

constexpr WriteStrategyRules kUnknown{};

} // namespace

const WriteStrategyRules& rulesFor(WriteStrategy strategy, ProgrammingFamily family)
{
    for (const WriteStrategyRules& rules : kRules) {
        if (rules.strategy == strategy && rules.family == family)
            return rules;
    }
    return kUnknown;
}

const WriteStrategyRules& rulesFor(const SelectedDevice& device)
{
    return rulesFor(device.writeStrategy, device.family);
}

bool isKnownStrategy(WriteStrategy strategy, ProgrammingFamily family)
{
    return &rulesFor(strategy, family) != &kUnknown;
}

} // namespace velmora
