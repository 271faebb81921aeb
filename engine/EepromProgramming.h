#pragma once
// Writes the image's non-blank EEPROM cells one by one, waiting for each write by
// polling WR, then reads the area back.

#include <cstdint>

#include "engine/IcspSession.h"

namespace velmora {

class EepromProgramming {
public:
    explicit EepromProgramming(IcspSession& session) : s(session) {}
    bool run();

private:
    bool writeCell(std::uint32_t cell);
    // Polls EECON1 until the device clears WR. No pause and no limit: a device that
    // never finishes is left to the user's Cancel.
    bool waitWriteCompleted();
    bool verify();

    IcspSession& s;
};

} // namespace velmora
