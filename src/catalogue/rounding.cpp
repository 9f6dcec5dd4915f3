#include "catalogue/rounding.h"

#include "base/textcase.h"

#include <cmath>

namespace arkona::catalogue {

namespace {

// Nearest integer of the exact sum p + e, where |e| is at most half an ulp of p: e decides only
// when p itself lies exactly halfway between two integers.
double nearestInteger(double p, double e) {
    if (std::fabs(p - std::trunc(p)) == 0.5 && e != 0) {
        return e > 0 ? std::ceil(p) : std::floor(p);
    }
    return std::nearbyint(p); // halves to even
}

double toTenths(double x) {
    const double p = x * 10;
    const double e = std::fma(x, 10, -p); // x × 10 = p + e exactly
    return nearestInteger(p, e) / 10;
}

double toUnits(double x) {
    if (x - std::trunc(x) == 0.5) {
        return x + 0.5;
    }
    return std::nearbyint(x);
}

} // namespace

Rounding rounding(std::string_view stored) {
    const std::string_view s = text::trim(stored);
    if (s == "1") {
        return Rounding::Tenths;
    }
    if (s == "2") {
        return Rounding::Units;
    }
    return Rounding::None;
}

std::string roundingCodeForCopy(std::string_view stored) {
    const std::string_view s = text::trim(stored);
    return s.empty() ? "0" : std::string(s);
}

double roundPrice(double x, Rounding how) {
    if (!std::isfinite(x)) {
        return x;
    }
    switch (how) {
    case Rounding::Tenths:
        return toTenths(x);
    case Rounding::Units:
        return toUnits(x);
    case Rounding::None:
        break;
    }
    return x;
}

} // namespace arkona::catalogue
