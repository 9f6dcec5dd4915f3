#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace arkona::site {

// A colour value is six hexadecimal digits red, green, blue in upper case without "#"; empty
// means not set.

// The navigation column's "no colour".
inline constexpr const char* kNoNavigationColour = "FFFFFE";
inline constexpr const char* kBlack = "000000";
inline constexpr int kColourLength = 6;

// The basic colours offered next to every colour field.
struct PaletteColour {
    const char* caption;
    const char* value;
};
const std::array<PaletteColour, 16>& colourPalette();

// Removes every character that is not 0-9, A-F or a-f; true when something was removed.
bool keepHexDigits(std::string& text);

// What a colour field holds once it is left: an empty field is black; otherwise the hexadecimal
// digits, upper case, at most six, padded on the right with "0".
std::string normaliseColour(std::string_view typed);

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

// "FF0000" for pure red (each part clamped to 0..255).
std::string colourText(Rgb rgb);
// The parts of a stored colour; nothing unless it is exactly six hexadecimal digits.
std::optional<Rgb> colourRgb(std::string_view value);

} // namespace arkona::site
