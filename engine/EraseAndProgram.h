#pragma once
// Operations 2 (erase only) and 3 (program): Vpp on, the optional blank check, the
// device erase, then for operation 3 each selected area written and read back.

#include "engine/IcspSession.h"

namespace velmora {

class EraseAndProgram {
public:
    explicit EraseAndProgram(IcspSession& session) : s(session) {}
    void run();

private:
    bool eraseAndProgram();
    bool erase();
    bool sendEraseSequence();
    bool programAreas();

    IcspSession& s;
};

} // namespace velmora
