#include "engine/WriteStrategyRules.h"

#include <array>

namespace velmora {

namespace {

constexpr Address kEraseControlLow = 0x3C0004;
constexpr Address kEraseControlHigh = 0x3C0005;

constexpr std::array<EraseKey, 1> kBulkErase = {{{kEraseControlLow, 0x0080}}};
// 3F3Fh to 3C0005h before 8F8Fh to 3C0004h.
constexpr std::array<EraseKey, 2> kChipErase = {{{kEraseControlHigh, 0x3F3F}, {kEraseControlLow, 0x8F8F}}};

constexpr std::array<WriteStrategyRules, 2> kRules = {{
    {WriteStrategy::Panels, kBulkErase, ProgramMemoryMethod::SinglePanel, ProgramMemoryMethod::MultiPanel, true,
     true},
    {WriteStrategy::Buffers, kChipErase, ProgramMemoryMethod::Buffer, ProgramMemoryMethod::Buffer, false, false},
}};

constexpr WriteStrategyRules kUnknown = {WriteStrategy{}, {}, ProgramMemoryMethod::None, ProgramMemoryMethod::None,
                                         false, false};

} // namespace

const WriteStrategyRules& rulesFor(WriteStrategy strategy)
{
    for (const WriteStrategyRules& rules : kRules) {
        if (rules.strategy == strategy)
            return rules;
    }
    return kUnknown;
}

bool isKnownStrategy(WriteStrategy strategy)
{
    return &rulesFor(strategy) != &kUnknown;
}

} // namespace velmora
