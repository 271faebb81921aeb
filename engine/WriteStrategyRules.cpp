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

// The J parts (DS39687E; DS39644G; DS39688C), in the same units. Where the parts of a
// family differ, its longest wait serves them all.
constexpr std::array<EraseKey, 2> kJChipErase = {{{kEraseControlHigh, 0x0101}, {kEraseControlLow, 0x8080}}};
// Bulk erase: P11 475 ms (J10) / 524 ms (J11, J50), then DS39687E's P10 (49/54 ms);
// P11 400 ms and P10 400 ns on DS39644G and DS39688C.
constexpr EraseWaits kJ10EraseWaits{95000, 9800};
constexpr EraseWaits kJ2X4XEraseWaits{104800, 10800};
constexpr EraseWaits kJ6X8XEraseWaits{80000, 1};
// Code writes: P9 3.4 ms (J10), 1.2 ms (J11, J13, J5X), 2.8 ms (DS39644G, DS39688C);
// DS39687E draws no P10 after a write, the others 400 ns.
constexpr WriteWaits kJ10CodeWaits{680, 0};
constexpr WriteWaits kJ2X4XCodeWaits{240, 0};
constexpr WriteWaits kJ6X8XCodeWaits{560, 1};
// Key entry: P19 (MCLR low to the key) 4 ms / 10 us / 1 ms, P20 >= 50 ns, P12 before
// the first command 400 us (300 us on DS39644G).
constexpr KeyEntryWaits kJ2X4XKeyEntry{800, 1, 80};
constexpr KeyEntryWaits kJ6X8XKeyEntry{2, 1, 60};
constexpr KeyEntryWaits kJ60KeyEntry{200, 1, 80};

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

// The J parts: the 64-byte buffer row with WREN, their bulk erase and key entry. The
// configuration is code and there is no EEPROM, so only the code writes' waits matter.
constexpr WriteStrategyRules jFamily(ProgrammingFamily family, EraseWaits eraseWaits, WriteWaits codeWaits,
                                     KeyEntryWaits keyEntry)
{
    WriteStrategyRules rules =
        classic(WriteStrategy::Buffers, kJChipErase, ProgramMemoryMethod::Buffer, ProgramMemoryMethod::Buffer, false);
    rules.family = family;
    rules.eraseWaits = eraseWaits;
    rules.writeEnableBeforeWrites = true;
    rules.codeWaits = rules.idAndConfigWaits = codeWaits;
    // EECON1 has no EEPGD or CFGS bit: code memory is the only space a table write reaches.
    rules.selectsMemorySpace = false;
    rules.keyEntryWaits = keyEntry;
    return rules;
}

constexpr std::array<WriteStrategyRules, 9> kRules = {{
    classic(WriteStrategy::Panels, kBulkErase, ProgramMemoryMethod::SinglePanel, ProgramMemoryMethod::MultiPanel,
            true),
    classic(WriteStrategy::Buffers, kChipErase, ProgramMemoryMethod::Buffer, ProgramMemoryMethod::Buffer, false),
    newerFamily(ProgrammingFamily::K22, kK22ChipErase, kK22P11Units, kK22P10Units, false, kK22KeyEntry),
    newerFamily(ProgrammingFamily::OneXK22, kK22ChipErase, kP11Units, kP10Units, false, std::nullopt),
    // The K20 chip erase leaves the IDs, and no erase option lists them: their row is
    // erased by itself (TBLPTR = 200000h), as the K22 and 1XK22 documents allow for
    // the ID row and the K20 shares their row erase.
    newerFamily(ProgrammingFamily::K20, kK20ChipErase, kP11Units, kP10Units, true, std::nullopt),
    jFamily(ProgrammingFamily::J10, kJ10EraseWaits, kJ10CodeWaits, kJ2X4XKeyEntry),
    jFamily(ProgrammingFamily::J2X4X, kJ2X4XEraseWaits, kJ2X4XCodeWaits, kJ2X4XKeyEntry),
    jFamily(ProgrammingFamily::J6X8X, kJ6X8XEraseWaits, kJ6X8XCodeWaits, kJ6X8XKeyEntry),
    jFamily(ProgrammingFamily::J60, kJ6X8XEraseWaits, kJ6X8XCodeWaits, kJ60KeyEntry),
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
