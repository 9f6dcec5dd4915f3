#pragma once

// Exact price arithmetic for the catalogue's own sources: every formula is evaluated on the
// exact values of its doubles and rounded once, to the double nearest the exact result.
#include <gmpxx.h>

namespace arkona::catalogue::exact {

using Number = mpq_class;

// The exact value of a double; throws arkona::Error for an infinity or NaN.
Number of(double value);

// The factor of a whole VAT rate: rate / 100 + 1; throws arkona::Error for a negative rate.
Number factor(int ratePercent);

// The double nearest the exact value, halves to even.
double nearest(const Number& value);

} // namespace arkona::catalogue::exact
