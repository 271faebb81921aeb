#pragma once
// Writes the fourteen configuration bytes one at a time, the even bytes through the
// masks, and reads them back comparing effective values.

#include <cstdint>

#include "engine/operations/OperationContext.h"

namespace velmora {

class ConfigurationProgramming {
public:
    explicit ConfigurationProgramming(const OperationContext& context) : s(context) {}
    bool run();

private:
    bool write();
    bool writePair(int position, Address address);
    bool pulse(int step);

    OperationContext s;
};

} // namespace velmora
