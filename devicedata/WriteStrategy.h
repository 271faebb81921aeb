#pragma once
// The `WriteStrategy` key of Devices.ini: how a device family erases and writes its
// flash. A value the program does not know is kept as it is and means "nothing to
// erase, no program-memory method".

#include <cstdint>

namespace velmora {

enum class WriteStrategy : std::int32_t {
    Panels = 1,    // older family: bulk erase, 8-byte panel blocks, 3C0006h panel mode
    Buffers = 2,   // PIC18F2XXX/4XXX: chip-erase keys, WriteBufferSize-byte write buffers
};

} // namespace velmora
