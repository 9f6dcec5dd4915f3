#include "site/page_look_colour.h"

#include <algorithm>
#include <cctype>

namespace arkona::site {

namespace {

constexpr std::array<PaletteColour, 16> kPalette = {{
    {"bílá", "FFFFFF"},
    {"žlutá", "FFFF00"},
    {"fuchsiová", "FF00FF"},
    {"fialová", "800080"},
    {"červená", "FF0000"},
    {"kaštanová", "800000"},
    {"olivová", "808000"},
    {"světle zelená", "00FF00"},
    {"zelená", "008000"},
    {"tyrkysová", "008080"},
    {"akvamarínová", "00FFFF"},
    {"modrá", "0000FF"},
    {"tmavě modrá", "000080"},
    {"stříbrná", "C0C0C0"},
    {"šedá", "808080"},
    {"černá", "000000"},
}};

bool isHex(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    return std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
}

} // namespace

const std::array<PaletteColour, 16>& colourPalette() {
    return kPalette;
}

bool keepHexDigits(std::string& text) {
    const auto size = text.size();
    std::erase_if(text, [](char c) { return !isHex(c); });
    return text.size() != size;
}

std::string normaliseColour(std::string_view typed) {
    std::string digits(typed);
    keepHexDigits(digits);
    if (digits.empty()) {
        return kBlack;
    }
    if (digits.size() > kColourLength) {
        digits.resize(kColourLength);
    }
    std::transform(digits.begin(), digits.end(), digits.begin(), [](char c) {
        return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    });
    digits.resize(kColourLength, '0');
    return digits;
}

std::string colourText(Rgb rgb) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (int part : {rgb.red, rgb.green, rgb.blue}) {
        part = std::clamp(part, 0, 255);
        out += kDigits[part / 16];
        out += kDigits[part % 16];
    }
    return out;
}

std::optional<Rgb> colourRgb(std::string_view value) {
    if (value.size() != kColourLength || !std::all_of(value.begin(), value.end(), isHex)) {
        return std::nullopt;
    }
    const auto part = [&](std::size_t i) {
        return hexValue(value[i]) * 16 + hexValue(value[i + 1]);
    };
    return Rgb{part(0), part(2), part(4)};
}

} // namespace arkona::site
