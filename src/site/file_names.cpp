#include "site/file_names.h"

#include <algorithm>

namespace arkona::site {

namespace {

constexpr std::u32string_view kCzechLetters = U"ŠŤŽšťžÁČÉĚÍĎŇÓŘÚÝáčéěíďňóřůúý";

// Drops the characters from `from` on that `keep` refuses, moving the cursor with the text.
void dropRefused(EditedText& edit, size_t from, bool (*keep)(char32_t)) {
    std::u32string kept = edit.text.substr(0, from);
    int cursor = edit.cursor;
    for (size_t i = from; i < edit.text.size(); ++i) {
        if (keep(edit.text[i])) {
            kept += edit.text[i];
        } else {
            ++edit.removed;
            if (static_cast<int>(i) < edit.cursor) {
                --cursor;
            }
        }
    }
    edit.text = std::move(kept);
    edit.cursor = cursor;
}

bool isBlank(char32_t c) {
    return c == U' ' || c == U'\t' || c == U'\r' || c == U'\n';
}

void trim(EditedText& edit) {
    size_t first = 0;
    while (first < edit.text.size() && isBlank(edit.text[first])) {
        ++first;
    }
    size_t last = edit.text.size();
    while (last > first && isBlank(edit.text[last - 1])) {
        --last;
    }
    edit.text = edit.text.substr(first, last - first);
    edit.cursor =
        std::clamp(edit.cursor - static_cast<int>(first), 0, static_cast<int>(edit.text.size()));
}

} // namespace

bool isFileNameCharacter(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9') ||
           c == U'_' || c == U'-' || c == U'!';
}

bool isNameCharacter(char32_t c) {
    return isFileNameCharacter(c) || c == U' ' || kCzechLetters.find(c) != std::u32string::npos;
}

std::u32string toUtf32(std::string_view utf8) {
    std::u32string out;
    for (size_t i = 0; i < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        const int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : 4;
        char32_t c = length == 1   ? b
                     : length == 2 ? b & 0x1Fu
                     : length == 3 ? b & 0x0Fu
                                   : b & 0x07u;
        for (int k = 1; k < length && i + static_cast<size_t>(k) < utf8.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]) & 0x3Fu);
        }
        out += c;
        i += static_cast<size_t>(length);
    }
    return out;
}

std::string toUtf8(std::u32string_view text) {
    std::string out;
    for (char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string deriveFileName(long long number, std::string_view title) {
    std::string name = std::to_string(number);
    for (char32_t c : toUtf32(title)) {
        if (isFileNameCharacter(c)) {
            name += static_cast<char>(c);
        }
    }
    return name;
}

EditedText editFileName(long long number, std::u32string_view text, int cursor) {
    const std::string digits = std::to_string(number);
    const std::u32string prefix(digits.begin(), digits.end());
    EditedText edit{std::u32string(text), std::clamp(cursor, 0, static_cast<int>(text.size())), 0};
    if (!edit.text.starts_with(prefix)) {
        edit.text = edit.text.size() < prefix.size() ? prefix : prefix + edit.text;
        edit.cursor = std::min(edit.cursor + static_cast<int>(prefix.size()),
                               static_cast<int>(edit.text.size()));
    }
    dropRefused(edit, prefix.size(), isFileNameCharacter);
    trim(edit);
    return edit;
}

EditedText editName(std::u32string_view text, int cursor) {
    EditedText edit{std::u32string(text), std::clamp(cursor, 0, static_cast<int>(text.size())), 0};
    dropRefused(edit, 0, isNameCharacter);
    return edit;
}

} // namespace arkona::site
