#pragma once
// What a protocol step may do besides driving the lines: look for a cancel between
// commands and record why it failed. Both return false so that a step can return them.

#include <string>

namespace velmora {

class StepGuard {
public:
    virtual bool check() = 0;
    virtual bool fail(std::string message) = 0;

protected:
    ~StepGuard() = default;
};

} // namespace velmora
