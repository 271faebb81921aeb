#pragma once
// Writes the eight ID bytes as one block, whatever they hold, and reads them back.

#include "engine/IcspSession.h"

namespace velmora {

class IdProgramming {
public:
    explicit IdProgramming(IcspSession& session) : s(session) {}
    bool run();

private:
    bool write();
    bool loadWord(IcspCommand command, int firstByte);

    IcspSession& s;
};

} // namespace velmora
