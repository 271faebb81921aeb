#include "engine/operations/EepromCells.h"

#include <optional>
#include <vector>

#include "engine/EngineTexts.h"
#include "signalling/HW_Cntrl.h"

namespace velmora {

namespace {

bool selectEepromCells(const OperationContext& c)
{
    c.post().postProcessText(texts::kWriteInstruction);
    return c.icsp.selectEeprom() && c.frame.check();
}

// Moves cell on to the next wanted one, or to the size when none is left, with a check
// before every cell it passes or stops at.
bool findWantedCell(const OperationContext& c, const std::function<bool(std::uint32_t cell)>& wanted,
                    std::uint32_t& cell)
{
    for (; cell < c.eepromSize(); ++cell) {
        if (!c.frame.check())
            return false;
        if (wanted(cell))
            return true;
    }
    return true;
}

// Address posting, address and read instructions, check, and the shift-out queued with
// the block's other reads. A read keeps what it read so far when the address itself
// could not be set.
bool queueCellRead(const OperationContext& c, std::uint32_t cell, ReadByteQueue& reads)
{
    c.post().postAddress(cell);
    c.post().postProcessText(texts::kWriteInstruction);
    if (!c.icsp.loadEepromAddress(cell)) {
        c.frame.keepImageOnFailure();
        return false;
    }
    if (!c.icsp.latchEepromCell() || !c.frame.check())
        return false;
    c.post().postProcessText(texts::kReadByte);
    return c.icsp.queueShiftOutTablat(reads);
}

// What a cell's answer means for the loop: nullopt to go on, its progress posted, else
// the operation's result.
std::optional<bool> afterCell(const OperationContext& c, AfterByte after, std::uint32_t cell)
{
    if (after != AfterByte::Next)
        return after == AfterByte::Stop;
    c.post().postProgress(percent(cell, c.eepromSize() - 1));
    return std::nullopt;
}

} // namespace

bool forEachEepromCell(const OperationContext& c, const std::function<bool(std::uint32_t cell)>& wanted,
                       const std::function<AfterByte(std::uint32_t cell)>& step)
{
    if (!selectEepromCells(c))
        return false;
    const std::uint32_t size = c.eepromSize();
    for (std::uint32_t e = 0;; ++e) {
        if (!findWantedCell(c, wanted, e))
            return false;
        if (e == size)
            return true;
        if (const auto result = afterCell(c, step(e), e))
            return *result;
    }
}

// Each block's cells are queued as a per-cell read would send them and resolved at one
// flush, then visited in order; a failure mid-block leaves its queued reads unvisited.
bool readEepromCells(const OperationContext& c, bool onlyPresent, const ByteVisitor& visit)
{
    if (!selectEepromCells(c))
        return false;
    const auto wanted = [&c, onlyPresent](std::uint32_t e) { return !onlyPresent || c.data.IsEepromPresent(e); };
    const std::uint32_t size = c.eepromSize();
    const std::uint32_t most = c.icsp.blockSize();
    ReadByteQueue reads(most);
    std::vector<std::uint32_t> cells;
    std::vector<std::uint8_t> values;
    for (std::uint32_t e = 0; e < size;) {
        cells.clear();
        while (cells.size() < most) {
            if (!findWantedCell(c, wanted, e))
                return false;
            if (e == size)
                break;
            if (!queueCellRead(c, e, reads))
                return false;
            cells.push_back(e++);
        }
        values.resize(cells.size());
        if (!c.icsp.resolveReads(reads, values))
            return false;
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (const auto result = afterCell(c, visit(cells[i], values[i]), cells[i]))
                return *result;
        }
    }
    return true;
}

} // namespace velmora
