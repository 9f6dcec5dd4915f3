#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace arkona::dbf {

// Numbers in tables are plain ASCII with a decimal point, whatever the user's locale.

// `decimals` digits after the point, rounded half away from zero on the value's shortest
// decimal form (so 2.345 stored with two decimals is 2.35, as a person expects).
std::string formatNumber(double value, int decimals);

// Parses stored numeric text (blanks around it allowed; a decimal comma of foreign writers is
// accepted). Returns nullopt for text that is not a number.
std::optional<double> parseNumber(std::string_view text);

} // namespace arkona::dbf
