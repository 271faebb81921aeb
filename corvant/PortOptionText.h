#pragma once
// The small text steps every port grammar takes: keys compared in any case, a
// port string cut at its separators.

#include <string>
#include <string_view>
#include <vector>

namespace corvant {

std::string lowerCase(std::string_view text);
// Every part between separators, empty ones included.
std::vector<std::string_view> split(std::string_view text, char separator);

} // namespace corvant
