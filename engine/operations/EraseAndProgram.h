#pragma once
// Operations 2 (erase only) and 3 (program): Vpp on, the optional blank check, the
// device erase, then for operation 3 each selected area written and read back.

#include "engine/operations/OperationContext.h"

namespace velmora {

class EraseAndProgram {
public:
    EraseAndProgram(const OperationContext& context, bool eraseOnly) : s(context), eraseOnly_(eraseOnly) {}
    void run();

private:
    bool eraseAndProgram();
    bool erase();
    bool sendEraseSequence();
    // The self-timed erase of the ID row, for a family whose chip erase spares it.
    bool eraseIdRow();
    bool programAreas();

    OperationContext s;
    bool eraseOnly_;
};

} // namespace velmora
