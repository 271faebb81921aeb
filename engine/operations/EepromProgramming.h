#pragma once
// Writes the image's non-blank EEPROM cells one by one, waiting for each write by
// polling WR, then reads the area back.

#include <cstdint>

#include "engine/operations/OperationContext.h"

namespace velmora {

class EepromProgramming {
public:
    explicit EepromProgramming(const OperationContext& context) : s(context) {}
    bool run();

private:
    bool writeCell(std::uint32_t cell);
    bool verify();

    OperationContext s;
};

} // namespace velmora
