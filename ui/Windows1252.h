#pragma once
// The system's 8-bit character set of the grid's character column: every byte value
// becomes exactly one character, control codes included, with no substitution.

#include <QChar>

#include <cstdint>

namespace velmora {

QChar windows1252Char(std::uint8_t byte);

} // namespace velmora
