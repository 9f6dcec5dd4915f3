#include "base/dbf/numeric.h"

#include <charconv>
#include <cmath>
#include <string>

namespace arkona::dbf {

namespace {

// Adds one to the decimal digit string (most significant first); returns true on carry out.
bool incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it == '9') {
            *it = '0';
        } else {
            ++*it;
            return false;
        }
    }
    return true;
}

} // namespace

std::string formatNumber(double value, int decimals) {
    if (!std::isfinite(value)) {
        return {};
    }
    if (value == 0) {
        value = 0; // no "-0"
    }
    // Shortest round-trip form as digits and a decimal exponent.
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, std::fabs(value), std::chars_format::scientific);
    std::string_view sci(buf, static_cast<size_t>(res.ptr - buf));
    const size_t e = sci.find('e');
    std::string digits;
    for (char c : sci.substr(0, e)) {
        if (c != '.') {
            digits += c;
        }
    }
    int exponent = 0;
    std::from_chars(sci.data() + e + 1 + (sci[e + 1] == '+' ? 1 : 0), sci.data() + sci.size(),
                    exponent);
    // digits d0 d1 d2 ... with value d0.d1d2... * 10^exponent. Position of the decimal point
    // after `intDigits` digits.
    int intDigits = exponent + 1;
    if (intDigits < 0) {
        digits.insert(0, static_cast<size_t>(-intDigits), '0');
        intDigits = 0;
    }
    const int keep = intDigits + decimals;
    if (static_cast<int>(digits.size()) < keep) {
        digits.append(static_cast<size_t>(keep - static_cast<int>(digits.size())), '0');
    } else if (static_cast<int>(digits.size()) > keep) {
        const bool roundUp = keep >= 0 && digits[static_cast<size_t>(keep)] >= '5';
        digits.resize(static_cast<size_t>(std::max(keep, 0)));
        if (roundUp && incrementDigits(digits)) {
            digits.insert(0, "1");
            ++intDigits;
        }
    }
    std::string out;
    if (std::signbit(value)) {
        out += '-';
    }
    if (intDigits == 0) {
        out += '0';
    } else {
        out.append(digits, 0, static_cast<size_t>(intDigits));
    }
    if (decimals > 0) {
        out += '.';
        out.append(digits, static_cast<size_t>(intDigits), static_cast<size_t>(decimals));
    }
    if (out.find_first_not_of("-0.") == std::string::npos && out[0] == '-') {
        out.erase(0, 1); // rounded to zero
    }
    return out;
}

std::optional<double> parseNumber(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\0')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) {
        text.remove_suffix(1);
    }
    if (text.empty()) {
        return std::nullopt;
    }
    std::string copy;
    if (text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.find(',') != std::string_view::npos) {
        copy.assign(text);
        for (char& c : copy) {
            if (c == ',') {
                c = '.';
            }
        }
        text = copy;
    }
    double value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size()) {
        // ".5" and "5." are valid dBase numbers that from_chars handles; anything else is not.
        return std::nullopt;
    }
    if (!std::isfinite(value)) {
        return std::nullopt; // "nan" and "inf" are no stored numbers, whatever from_chars says
    }
    return value;
}

} // namespace arkona::dbf
