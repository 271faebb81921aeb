#pragma once
// Writes the eight ID bytes as one block, whatever they hold, and reads them back.

#include "engine/operations/OperationContext.h"

namespace velmora {

class IdProgramming {
public:
    explicit IdProgramming(const OperationContext& context) : s(context) {}
    bool run();

private:
    bool write();
    bool loadWord(IcspCommand command, int firstByte);

    OperationContext s;
};

} // namespace velmora
