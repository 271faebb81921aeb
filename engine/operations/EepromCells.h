#pragma once
// The data EEPROM cell by cell: the loop that writes its cells, and the one that reads them.

#include <cstdint>
#include <functional>

#include "engine/frame/TableRead.h"
#include "engine/operations/OperationContext.h"

namespace velmora {

// "Write instruction", EECON1 at data EEPROM, check, then for each cell: check, and
// for the wanted ones the step and progress.
bool forEachEepromCell(const OperationContext& c, const std::function<bool(std::uint32_t cell)>& wanted,
                       const std::function<AfterByte(std::uint32_t cell)>& step);

// Each cell (only the present ones when onlyPresent) read and handed to the visitor: as
// forEachEepromCell, but the reads of up to blockSize() cells resolve at one flush before
// their visits and progress; cells read past a Stop or Leave are not visited.
bool readEepromCells(const OperationContext& c, bool onlyPresent, const ByteVisitor& visit);

} // namespace velmora
