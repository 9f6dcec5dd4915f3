#include "site/page_look_width.h"

#include "base/textcase.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace arkona::site {

namespace {

std::optional<int> wholeNumber(std::string_view text) {
    const auto t = text::trim(text);
    int value = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size()) {
        return std::nullopt;
    }
    return value;
}

NavigationWidth within(NavigationWidth width) {
    width.number = std::clamp(width.number, 0, maximumOf(width.unit));
    return width;
}

} // namespace

int maximumOf(WidthUnit unit) {
    return unit == WidthUnit::Percent ? 100 : 800;
}

NavigationWidth parseNavigationWidth(std::string_view stored) {
    const auto text = text::trim(stored);
    if (text.empty()) {
        return {WidthUnit::Percent, kDefaultPercent};
    }
    const auto percent = text.find('%');
    if (percent != std::string_view::npos) {
        return within(
            {WidthUnit::Percent, wholeNumber(text.substr(0, percent)).value_or(kDefaultPercent)});
    }
    return within({WidthUnit::Pixels, wholeNumber(text).value_or(kDefaultPixels)});
}

std::string formatNavigationWidth(NavigationWidth width) {
    width = within(width);
    return std::to_string(width.number) + (width.unit == WidthUnit::Percent ? "%" : "");
}

NavigationWidth switchUnit(NavigationWidth width, WidthUnit to) {
    if (width.unit == to) {
        return within(width);
    }
    const int number = to == WidthUnit::Pixels ? width.number * kPixelsPerPercent
                                               : width.number / kPixelsPerPercent;
    return within({to, number});
}

int sliderPosition(NavigationWidth width) {
    width = within(width);
    return width.unit == WidthUnit::Percent ? width.number : width.number / kPixelsPerPercent;
}

} // namespace arkona::site
