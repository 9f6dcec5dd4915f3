#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace arkona {

// A calendar date without time zone.
struct Date {
    int year = 0;
    int month = 0;
    int day = 0;
    bool operator==(const Date&) const = default;
    auto operator<=>(const Date&) const = default;
    bool valid() const;
    static Date today();
};

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool operator==(const TimeOfDay&) const = default;
    static TimeOfDay now();
};

// How numbers and dates are shown to the user and written into settings files. One object for
// the whole program (Czech by default) so that tests can pin it.
class Locale {
public:
    char decimalSeparator = ',';
    std::string thousandsSeparator = "\xC2\xA0"; // no-break space
    // Short date like "9.12.2026": d, dd, m, mm, yyyy placeholders.
    std::string shortDateFormat = "d.m.yyyy";
    // Long time like "10:15:23".
    std::string longTimeFormat = "hh:nn:ss";

    std::string formatDate(const Date& d) const;
    std::string formatTime(const TimeOfDay& t) const;
    std::string formatDateTime(const Date& d, const TimeOfDay& t) const; // date, blank, time
    // Fixed decimals, the decimal separator, no grouping unless asked.
    std::string formatNumber(double value, int decimals, bool grouping = false) const;
    // The general number format: at most 15 significant digits, no trailing zeros, the decimal
    // separator; scientific ("1,5E-6", "1E20") below 0.00001 or above 15 integer digits.
    std::string formatGeneral(double value) const;
    // Accepts either separator ("12,5" and "12.5"), surrounding blanks and grouping blanks.
    std::optional<double> parseNumber(std::string_view text) const;
    std::optional<Date> parseDate(std::string_view text) const;

    static const Locale& current();
    static void setCurrent(const Locale& locale);
    static Locale czech();
};

} // namespace arkona
