#pragma once

#include <string>
#include <string_view>

namespace arkona::site {

// The width of the navigation column: a whole percentage followed by "%" ("20%", 0 to 100) or a
// whole number of pixels without a unit ("160", 0 to 800).
enum class WidthUnit { Percent, Pixels };

struct NavigationWidth {
    WidthUnit unit = WidthUnit::Percent;
    int number = 20;
    bool operator==(const NavigationWidth&) const = default;
};

inline constexpr int kDefaultPercent = 20;
inline constexpr int kDefaultPixels = 160;
inline constexpr int kPixelsPerPercent = 8; // the unit switch and the slider of pixel widths

int maximumOf(WidthUnit unit); // 100 or 800

// The width as the panel shows it: "%" anywhere means percent and the number before it (20 when
// it is not a whole number); any other non-empty text means pixels (160 when not a whole
// number); empty means 20 %. The number is kept within 0 and the unit's maximum.
NavigationWidth parseNavigationWidth(std::string_view stored);

// "25%" or "200".
std::string formatNavigationWidth(NavigationWidth width);

// The user switched the unit: pixels are the percentage times eight, a percentage the pixels
// divided by eight (whole-number division); within the new unit's range.
NavigationWidth switchUnit(NavigationWidth width, WidthUnit to);

// The slider shows percent; pixels divided by eight.
int sliderPosition(NavigationWidth width);

} // namespace arkona::site
