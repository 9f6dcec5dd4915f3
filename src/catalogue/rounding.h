#pragma once

#include <string>
#include <string_view>

namespace arkona::catalogue {

// Rounding of published sale prices as stored in ROUND: "0" none, "1" to tenths, "2" to whole
// units; empty and anything else count as "0".
enum class Rounding { None, Tenths, Units };

Rounding rounding(std::string_view stored);
// The code a price update copies to placed goods: the stored code, "0" when it is empty.
std::string roundingCodeForCopy(std::string_view stored);

// R(x, code). To tenths: the exact product x × 10 of the stored double rounded to the nearest
// integer, halves to even (1.05, stored slightly above, gives 1.1; 12.35, stored slightly below,
// gives 12.3; 12.25 gives 12.2). To units: a fraction of exactly one half goes up, everything
// else to the nearest integer (12.5 gives 13, 0.49999999999999994 gives 0).
double roundPrice(double x, Rounding how);
inline double roundPrice(double x, std::string_view code) {
    return roundPrice(x, rounding(code));
}

} // namespace arkona::catalogue
