#pragma once
// The write latches between the table writes and the flash: one aligned buffer of
// WriteBufferSize bytes in the buffer families, an 8-byte buffer per 8 KB panel in the
// older one (programmed one panel at a time or all panels at the same offset).

#include <array>
#include <cstdint>
#include <vector>

#include "sim/ChipModel.h"

namespace velmora::sim {

inline constexpr std::uint32_t kMaxWriteBufferSize = 64;

// One aligned run of bytes to program. FFh bytes leave their cells as they are.
struct ProgrammingBlock {
    std::uint32_t base = 0;
    std::uint32_t size = 0;
    std::array<std::uint8_t, kMaxWriteBufferSize> bytes {};
};

struct ProgrammingPlan {
    std::vector<ProgrammingBlock> blocks;
    bool regionMismatch = false;  // some latch was loaded for another block or offset
};

class HoldingRegisters {
public:
    explicit HoldingRegisters(const ChipModel& model);

    // Every latch back to FFh, as after a reset or a write.
    void reset();
    // A table write of one word at a code or ID address: LSB to the even byte.
    void load(std::uint32_t address, std::uint16_t word);
    // What a start-programming with TBLPTR at `address` writes; the latches it takes
    // are cleared, except on the J parts, whose buffer keeps its bytes for the next
    // write (DS39687E section 3.2). multiPanel only matters to the older family.
    ProgrammingPlan take(std::uint32_t address, bool multiPanel);

private:
    struct Latch {
        std::array<std::uint8_t, kMaxWriteBufferSize> bytes {};
        std::uint32_t base = 0;       // newer family: block base; older: row offset in the panel
        bool loaded = false;
        bool mismatch = false;
    };

    std::uint32_t latchSize() const;
    std::size_t latchIndex(std::uint32_t address) const;
    std::uint32_t latchBase(std::uint32_t address) const;
    std::uint32_t panelBase(std::size_t index) const;
    void clear(Latch& latch);
    void release(Latch& latch);
    void takeLatch(std::size_t index, std::uint32_t base, ProgrammingPlan& plan);

    const ChipModel& model_;
    // Newer family: latch 0 only. Older: one per 8 KB panel, the last one for the IDs.
    std::vector<Latch> latches_;
};

} // namespace velmora::sim
