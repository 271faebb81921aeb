#pragma once
// An open file of the operating system: a POSIX descriptor, or a Windows HANDLE value.

#include <cstdint>

namespace velmora {

using NativeFile = std::intptr_t;
inline constexpr NativeFile kNoNativeFile = -1;

} // namespace velmora
