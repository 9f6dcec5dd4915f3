#include "base/locale.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace arkona {

namespace {

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

std::tm localNow() {
    const std::time_t t = std::time(nullptr);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return tm;
}

void appendNumber(std::string& out, int value, int minDigits) {
    char buffer[16];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value < 0 ? -value : value);
    const int digits = static_cast<int>(r.ptr - buffer);
    if (value < 0) {
        out += '-';
    }
    out.append(static_cast<std::size_t>(minDigits > digits ? minDigits - digits : 0), '0');
    out.append(buffer, r.ptr);
}

// Length of the run of `c` starting at format[i].
std::size_t runLength(std::string_view format, std::size_t i) {
    std::size_t n = 1;
    while (i + n < format.size() && format[i + n] == format[i]) {
        ++n;
    }
    return n;
}

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// Blanks around a number typed or pasted by a user.
bool isBlankAt(std::string_view s, std::size_t i, std::size_t& length) {
    if (s[i] == ' ' || s[i] == '\t') {
        length = 1;
        return true;
    }
    if (s.substr(i, 2) == "\xC2\xA0") {
        length = 2;
        return true;
    }
    return false;
}

std::string_view trimBlanks(std::string_view s) {
    std::size_t length = 0;
    while (!s.empty() && isBlankAt(s, 0, length)) {
        s.remove_prefix(length);
    }
    while (!s.empty()) {
        if (s.back() == ' ' || s.back() == '\t') {
            s.remove_suffix(1);
        } else if (s.size() >= 2 && s.substr(s.size() - 2) == "\xC2\xA0") {
            s.remove_suffix(2);
        } else {
            break;
        }
    }
    return s;
}

// Rounds a plain decimal digit string (`integerDigits` integer digits, then the fraction) to
// `decimals` fraction digits, half away from zero, as a person would round the printed value.
std::string roundDecimal(std::string digits, std::size_t& integerDigits, int decimals) {
    const std::size_t keep = integerDigits + static_cast<std::size_t>(decimals);
    if (digits.size() <= keep) {
        digits.append(keep - digits.size(), '0');
        return digits;
    }
    const bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (up) {
        std::size_t i = keep;
        while (i > 0 && digits[i - 1] == '9') {
            digits[--i] = '0';
        }
        if (i > 0) {
            ++digits[i - 1];
        } else {
            digits.insert(digits.begin(), '1');
            ++integerDigits;
        }
    }
    return digits;
}

Locale& currentLocale() {
    static Locale locale;
    return locale;
}

} // namespace

bool Date::valid() const {
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
}

Date Date::today() {
    const std::tm tm = localNow();
    return Date{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

TimeOfDay TimeOfDay::now() {
    const std::tm tm = localNow();
    // A leap second is shown as the last second of the minute.
    return TimeOfDay{tm.tm_hour, tm.tm_min, tm.tm_sec > 59 ? 59 : tm.tm_sec};
}

std::string Locale::formatDate(const Date& d) const {
    std::string out;
    const std::string_view f = shortDateFormat;
    for (std::size_t i = 0; i < f.size();) {
        const std::size_t n = runLength(f, i);
        const char c = f[i];
        if (c == 'd' && n <= 2) {
            appendNumber(out, d.day, static_cast<int>(n));
        } else if (c == 'm' && n <= 2) {
            appendNumber(out, d.month, static_cast<int>(n));
        } else if (c == 'y' && n == 4) {
            appendNumber(out, d.year, 4);
        } else if (c == 'y' && n == 2) {
            appendNumber(out, d.year % 100, 2);
        } else {
            out.append(f.substr(i, n));
        }
        i += n;
    }
    return out;
}

std::string Locale::formatTime(const TimeOfDay& t) const {
    std::string out;
    const std::string_view f = longTimeFormat;
    for (std::size_t i = 0; i < f.size();) {
        const std::size_t n = runLength(f, i);
        const char c = f[i];
        if (c == 'h' && n <= 2) {
            appendNumber(out, t.hour, static_cast<int>(n));
        } else if (c == 'n' && n <= 2) {
            appendNumber(out, t.minute, static_cast<int>(n));
        } else if (c == 's' && n <= 2) {
            appendNumber(out, t.second, static_cast<int>(n));
        } else {
            out.append(f.substr(i, n));
        }
        i += n;
    }
    return out;
}

std::string Locale::formatDateTime(const Date& d, const TimeOfDay& t) const {
    return formatDate(d) + " " + formatTime(t);
}

std::string Locale::formatNumber(double value, int decimals, bool grouping) const {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "NaN" : (value < 0 ? "-INF" : "INF");
    }
    decimals = decimals < 0 ? 0 : (decimals > 15 ? 15 : decimals);
    // The shortest text that reads back as `value` is what the user typed or what arithmetic
    // meant (1.005, not 1.00499999...); rounding that text avoids surprises with halves.
    char buffer[400];
    const auto r =
        std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed);
    const std::string_view text(buffer, static_cast<std::size_t>(r.ptr - buffer));
    const std::size_t point = text.find('.');
    std::string digits(text.substr(0, point));
    std::size_t integerDigits = digits.size();
    if (point != std::string_view::npos) {
        digits.append(text.substr(point + 1));
    }
    digits = roundDecimal(std::move(digits), integerDigits, decimals);

    std::string out;
    const bool negative = std::signbit(value) && digits.find_first_not_of('0') != std::string::npos;
    if (negative) {
        out += '-';
    }
    for (std::size_t i = 0; i < integerDigits; ++i) {
        if (grouping && i > 0 && (integerDigits - i) % 3 == 0) {
            out += thousandsSeparator;
        }
        out += digits[i];
    }
    if (decimals > 0) {
        out += decimalSeparator;
        out.append(digits, integerDigits, std::string::npos);
    }
    return out;
}

std::string Locale::formatGeneral(double value) const {
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "NaN" : (value < 0 ? "-INF" : "INF");
    }
    if (value == 0) {
        return "0";
    }
    // The 15 significant digits of the value, correctly rounded, and the decimal exponent.
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    const std::string_view text(buffer);
    const std::size_t e = text.find('e');
    std::string digits;
    for (char c : text.substr(0, e)) {
        if (isAsciiDigit(c)) {
            digits += c;
        }
    }
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }

    std::string out = value < 0 ? "-" : "";
    const auto count = static_cast<int>(digits.size());
    if (exponent >= 15 || exponent < -5) {
        out += digits[0];
        if (count > 1) {
            out += decimalSeparator;
            out.append(digits, 1, std::string::npos);
        }
        out += 'E';
        out += std::to_string(exponent);
        return out;
    }
    if (exponent < 0) {
        out += '0';
        out += decimalSeparator;
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
        return out;
    }
    const int integerDigits = exponent + 1;
    out.append(digits, 0, static_cast<std::size_t>(std::min(integerDigits, count)));
    if (count <= integerDigits) {
        out.append(static_cast<std::size_t>(integerDigits - count), '0');
    } else {
        out += decimalSeparator;
        out.append(digits, static_cast<std::size_t>(integerDigits), std::string::npos);
    }
    return out;
}

std::optional<double> Locale::parseNumber(std::string_view text) const {
    const std::string_view s = trimBlanks(text);
    std::string normal;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        if (s[i] == '-') {
            normal += '-';
        }
        ++i;
    }
    int digits = 0;
    int groupDigits = 0;  // digits since the last group blank
    bool grouped = false; // a group blank was seen
    bool fraction = false;
    while (i < s.size()) {
        const char c = s[i];
        std::size_t blank = 0;
        if (isAsciiDigit(c)) {
            normal += c;
            ++digits;
            ++groupDigits;
            ++i;
        } else if (c == ',' || c == '.' || c == decimalSeparator) {
            if (fraction || (grouped && groupDigits != 3)) {
                return std::nullopt;
            }
            fraction = true;
            normal += '.';
            ++i;
        } else if (!fraction && digits > 0 && isBlankAt(s, i, blank)) {
            // "1 234": a group blank stands between digits and is followed by three of them.
            if ((grouped && groupDigits != 3) || (!grouped && groupDigits > 3)) {
                return std::nullopt;
            }
            grouped = true;
            groupDigits = 0;
            i += blank;
        } else if (!fraction && digits > 0 && !thousandsSeparator.empty() &&
                   s.substr(i, thousandsSeparator.size()) == thousandsSeparator) {
            if ((grouped && groupDigits != 3) || (!grouped && groupDigits > 3)) {
                return std::nullopt;
            }
            grouped = true;
            groupDigits = 0;
            i += thousandsSeparator.size();
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0 || (grouped && !fraction && groupDigits != 3)) {
        return std::nullopt;
    }
    double value = 0;
    const char* first = normal.data();
    const char* last = normal.data() + normal.size();
    const auto r = std::from_chars(first, last, value);
    if (r.ec != std::errc() || r.ptr != last) {
        return std::nullopt;
    }
    return value;
}

std::optional<Date> Locale::parseDate(std::string_view text) const {
    const std::string_view s = trimBlanks(text);
    const std::string_view f = shortDateFormat;
    Date d;
    std::size_t pos = 0;
    auto readNumber = [&](std::size_t maxDigits, int& target) {
        std::size_t n = 0;
        int value = 0;
        while (n < maxDigits && pos + n < s.size() && isAsciiDigit(s[pos + n])) {
            value = value * 10 + (s[pos + n] - '0');
            ++n;
        }
        pos += n;
        target = value;
        return n > 0;
    };
    for (std::size_t i = 0; i < f.size();) {
        const std::size_t n = runLength(f, i);
        const char c = f[i];
        bool ok = true;
        if (c == 'd' && n <= 2) {
            ok = readNumber(2, d.day);
        } else if (c == 'm' && n <= 2) {
            ok = readNumber(2, d.month);
        } else if (c == 'y' && n == 4) {
            ok = readNumber(4, d.year);
        } else if (c == 'y' && n == 2) {
            // Two-digit years are this century's.
            ok = readNumber(2, d.year);
            d.year += 2000;
        } else {
            ok = s.substr(pos, n) == f.substr(i, n);
            pos += n;
        }
        if (!ok) {
            return std::nullopt;
        }
        i += n;
    }
    if (pos != s.size() || !d.valid()) {
        return std::nullopt;
    }
    return d;
}

const Locale& Locale::current() {
    return currentLocale();
}

void Locale::setCurrent(const Locale& locale) {
    currentLocale() = locale;
}

Locale Locale::czech() {
    return Locale{};
}

} // namespace arkona
