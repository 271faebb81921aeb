#include "sim/HoldingRegisters.h"

#include "sim/AddressMap.h"

namespace velmora::sim {

namespace {

constexpr std::uint32_t kPanelSize = 0x2000;
constexpr std::uint32_t kPanelShift = 13;
constexpr std::uint32_t kPanelLatchSize = 8;
constexpr std::uint32_t kPanelRowMask = kPanelSize - kPanelLatchSize;  // TBLPTR<12:3>

} // namespace

HoldingRegisters::HoldingRegisters(const ChipModel& model) : model_(model)
{
    const std::size_t count = hasSingleWriteBuffer(model.family)
        ? 1
        : (model.programMemorySize + kPanelSize - 1) / kPanelSize + 1;
    latches_.resize(count);
    reset();
}

void HoldingRegisters::reset()
{
    for (Latch& latch : latches_)
        clear(latch);
}

void HoldingRegisters::load(std::uint32_t address, std::uint16_t word)
{
    Latch& latch = latches_[latchIndex(address)];
    const std::uint32_t base = latchBase(address);
    if (latch.loaded && latch.base != base)
        latch.mismatch = true;
    latch.base = base;
    latch.loaded = true;
    const std::uint32_t offset = address & (latchSize() - 1) & ~1U;
    latch.bytes[offset] = static_cast<std::uint8_t>(word & 0xFF);
    latch.bytes[offset + 1] = static_cast<std::uint8_t>(word >> 8);
}

ProgrammingPlan HoldingRegisters::take(std::uint32_t address, bool multiPanel)
{
    ProgrammingPlan plan;
    const std::uint32_t base = latchBase(address);
    if (hasSingleWriteBuffer(model_.family) || !multiPanel) {
        takeLatch(latchIndex(address), base, plan);
        return plan;
    }
    // Every panel's latch is written at the offset TBLPTR holds now.
    for (std::size_t index = 0; index < latches_.size(); ++index) {
        if (latches_[index].loaded || index == latchIndex(address))
            takeLatch(index, base, plan);
    }
    return plan;
}

std::uint32_t HoldingRegisters::latchSize() const
{
    return hasSingleWriteBuffer(model_.family) ? model_.writeBufferSize : kPanelLatchSize;
}

std::size_t HoldingRegisters::latchIndex(std::uint32_t address) const
{
    if (hasSingleWriteBuffer(model_.family))
        return 0;
    if (address >= kIdAddress)
        return latches_.size() - 1;
    return address >> kPanelShift;
}

std::uint32_t HoldingRegisters::latchBase(std::uint32_t address) const
{
    if (hasSingleWriteBuffer(model_.family))
        return address & ~(latchSize() - 1);
    return address & kPanelRowMask;
}

std::uint32_t HoldingRegisters::panelBase(std::size_t index) const
{
    if (index == latches_.size() - 1)
        return kIdAddress;
    return static_cast<std::uint32_t>(index) << kPanelShift;
}

void HoldingRegisters::clear(Latch& latch)
{
    latch.bytes.fill(0xFF);
    latch.loaded = false;
    latch.mismatch = false;
}

void HoldingRegisters::takeLatch(std::size_t index, std::uint32_t base, ProgrammingPlan& plan)
{
    Latch& latch = latches_[index];
    if (latch.mismatch || (latch.loaded && latch.base != base))
        plan.regionMismatch = true;
    ProgrammingBlock block;
    block.size = latchSize();
    block.base = hasSingleWriteBuffer(model_.family) ? base : panelBase(index) + base;
    block.bytes = latch.bytes;
    plan.blocks.push_back(block);
    release(latch);
}

void HoldingRegisters::release(Latch& latch)
{
    if (!isJFamily(model_.family)) {
        clear(latch);
        return;
    }
    latch.loaded = false;
    latch.mismatch = false;
}

} // namespace velmora::sim
