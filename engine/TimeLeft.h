#pragma once
// The time an action has left, as both front ends show it beside its progress: the
// rate so far carried to the end, once the action has run long enough to have one.

#include <chrono>
#include <cstdint>
#include <string>

namespace velmora {

// "12 s left", "3 min 5 s left"; empty before an estimate means anything (at 0 %,
// at 100 % or in the action's first second).
std::string timeLeftText(std::chrono::steady_clock::duration elapsed, std::uint16_t percent);

} // namespace velmora
