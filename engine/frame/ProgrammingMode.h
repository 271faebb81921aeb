#pragma once
// How a protocol generation takes the chip into programming mode and out again. A
// failure is recorded through the protocol's StepGuard.

namespace velmora {

class ProgrammingMode {
public:
    virtual bool enter() = 0;
    virtual bool leave() = 0;

protected:
    ~ProgrammingMode() = default;
};

} // namespace velmora
