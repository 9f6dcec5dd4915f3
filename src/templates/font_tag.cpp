#include "templates/font_tag.h"

#include "base/textcase.h"

#include <cctype>
#include <optional>
#include <vector>

namespace arkona::templates {

namespace {

constexpr std::array<FontFace, 3> kFaces = {{
    {"Arial CE, Arial", kDefaultFace, "Arial"},
    {"Courier CE, Courier", "Courier CE, Courier", "Courier"},
    {"Times New Roman CE, Times", "Times New Roman CE, Times New Roman", "Times New Roman"},
}};

constexpr std::array<const char*, 7> kSizes = {"1 (8 bodů)",  "2 (10 bodů)", "3 (12 bodů)",
                                               "4 (14 bodů)", "5 (18 bodů)", "6 (24 bodů)",
                                               "7 (36 bodů)"};

constexpr std::array<int, 7> kPoints = {8, 10, 12, 14, 18, 24, 36};

char upper(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Case-insensitive search of an ASCII word.
std::size_t findNoCase(std::string_view text, std::string_view word, std::size_t from = 0) {
    if (word.size() > text.size()) {
        return std::string_view::npos;
    }
    for (std::size_t i = from; i + word.size() <= text.size(); ++i) {
        bool same = true;
        for (std::size_t k = 0; k < word.size() && same; ++k) {
            same = upper(text[i + k]) == upper(word[k]);
        }
        if (same) {
            return i;
        }
    }
    return std::string_view::npos;
}

struct Attribute {
    std::string name; // upper case
    std::string value;
};

// Reads the attributes of one opening tag (the text between the tag name and its ">") and
// returns where the tag ends (the position after ">", or the end of the text).
std::size_t readAttributes(std::string_view text, std::size_t pos, std::vector<Attribute>& out) {
    const std::size_t n = text.size();
    while (pos < n) {
        while (pos < n && isBlank(text[pos])) {
            ++pos;
        }
        if (pos >= n) {
            break;
        }
        if (text[pos] == '>') {
            return pos + 1;
        }
        std::string name;
        while (pos < n && text[pos] != '=' && text[pos] != '>' && !isBlank(text[pos])) {
            name += upper(text[pos++]);
        }
        while (pos < n && isBlank(text[pos])) {
            ++pos;
        }
        std::string value;
        if (pos < n && text[pos] == '=') {
            ++pos;
            while (pos < n && isBlank(text[pos])) {
                ++pos;
            }
            if (pos < n && (text[pos] == '"' || text[pos] == '\'')) {
                const char quote = text[pos++];
                const std::size_t end = text.find(quote, pos);
                const std::size_t stop = end == std::string_view::npos ? n : end;
                value = std::string(text.substr(pos, stop - pos));
                pos = end == std::string_view::npos ? n : end + 1;
            } else {
                while (pos < n && text[pos] != '>' && !isBlank(text[pos])) {
                    value += text[pos++];
                }
            }
        }
        if (name.empty() && value.empty()) {
            ++pos; // a stray character such as a lone "="
            continue;
        }
        out.push_back({std::move(name), std::move(value)});
    }
    return n;
}

std::optional<std::string> attribute(const std::vector<Attribute>& attributes, const char* name) {
    for (const auto& a : attributes) {
        if (a.name == name) {
            return a.value;
        }
    }
    return std::nullopt;
}

int sizeOf(std::string_view value) {
    const auto v = text::trim(value);
    if (v.size() == 1 && v[0] >= '0' + kMinSize && v[0] <= '0' + kMaxSize) {
        return v[0] - '0';
    }
    return kDefaultSize;
}

// One to six hexadecimal digits, with or without "#", padded with "0"; anything else is black.
std::string colourOf(std::string_view value) {
    auto v = text::trim(value);
    if (!v.empty() && v.front() == '#') {
        v.remove_prefix(1);
    }
    if (v.empty() || v.size() > 6) {
        return "000000";
    }
    std::string out;
    for (char c : v) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) {
            return "000000";
        }
        out += upper(c);
    }
    out.resize(6, '0');
    return out;
}

} // namespace

const std::array<FontFace, 3>& fontFaces() {
    return kFaces;
}

const std::array<const char*, 7>& fontSizeEntries() {
    return kSizes;
}

int previewPoints(int size) {
    if (size < kMinSize || size > kMaxSize) {
        size = kDefaultSize;
    }
    return kPoints[static_cast<std::size_t>(size - 1)];
}

FontTag parseFontTag(std::string_view tag) {
    FontTag font;
    const std::size_t open = findNoCase(tag, "<FONT");
    std::size_t rest = 0;
    if (open != std::string_view::npos) {
        std::vector<Attribute> attributes;
        rest = readAttributes(tag, open + 5, attributes);
        if (const auto face = attribute(attributes, "FACE")) {
            const auto trimmed = text::trim(*face);
            if (!trimmed.empty()) {
                font.face = std::string(trimmed);
            }
        }
        if (const auto size = attribute(attributes, "SIZE")) {
            font.size = sizeOf(*size);
        }
        if (const auto colour = attribute(attributes, "COLOR")) {
            font.colour = colourOf(*colour);
        }
    }
    const std::string_view styles = tag.substr(rest);
    font.bold = findNoCase(styles, "<B>") != std::string_view::npos;
    font.italic = findNoCase(styles, "<I>") != std::string_view::npos;
    font.underline = findNoCase(styles, "<U>") != std::string_view::npos;
    return font;
}

namespace {

// A face read from a hand-written tag may hold characters that would end the attribute or the
// tag early; they are left out, and an empty face becomes the default.
std::string writableFace(std::string_view face) {
    std::string out;
    for (char c : face) {
        if (c == '"' || c == '<' || c == '>') {
            continue;
        }
        out += (c == '\r' || c == '\n' || c == '\t') ? ' ' : c;
    }
    const auto trimmed = text::trim(out);
    return trimmed.empty() ? std::string(kDefaultFace) : std::string(trimmed);
}

} // namespace

std::string buildFontTag(const FontTag& font) {
    std::string tag =
        "<FONT FACE=\"" + writableFace(font.face) + "\" SIZE=" +
        std::to_string(font.size < kMinSize || font.size > kMaxSize ? kDefaultSize : font.size) +
        " COLOR=\"#" + colourOf(font.colour) + "\">";
    if (font.bold) {
        tag += "<B>";
    }
    if (font.italic) {
        tag += "<I>";
    }
    if (font.underline) {
        tag += "<U>";
    }
    return tag;
}

int faceIndex(std::string_view face) {
    const auto f = text::trim(face);
    const std::string_view prefixes[] = {"Arial", "Couri", "Times"};
    for (int i = 0; i < 3; ++i) {
        if (f.size() >= 5 && findNoCase(f.substr(0, 5), prefixes[i]) == 0) {
            return i;
        }
    }
    return -1;
}

std::string previewFamily(std::string_view face) {
    const int index = faceIndex(face);
    if (index >= 0) {
        return kFaces[static_cast<std::size_t>(index)].family;
    }
    const auto f = text::trim(face);
    const auto comma = f.find(',');
    const auto first = text::trim(f.substr(0, comma));
    return first.empty() ? std::string("Arial") : std::string(first);
}

} // namespace arkona::templates
