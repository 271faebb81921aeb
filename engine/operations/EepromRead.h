#pragma once
// Reading the data EEPROM cell by cell, handing each value to a visitor.

#include "engine/frame/TableRead.h"
#include "engine/operations/OperationContext.h"

namespace velmora {

// "Write instruction", EECON1 at data EEPROM, check, then for each cell (only the
// present ones when onlyPresent): check, the cell read, the visitor, progress.
bool readEepromCells(const OperationContext& c, bool onlyPresent, const ByteVisitor& visit);

} // namespace velmora
