#include "catalogue/picture_tag.h"

#include "base/textcase.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace arkona::catalogue {

namespace {

constexpr std::array<const char*, 9> kAlignValues = {
    "", "LEFT", "RIGHT", "MIDDLE", "TOP", "ABSBOTTOM", "ABSMIDDLE", "TEXTTOP", "BASELINE"};

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

struct Attribute {
    std::string name; // upper case
    std::string value;
};

// The attributes of a tag, in the order written.
std::vector<Attribute> attributes(std::string_view tag) {
    std::vector<Attribute> out;
    size_t i = 0;
    // Past "<" and the element name.
    while (i < tag.size() && tag[i] == '<') {
        ++i;
    }
    while (i < tag.size() && !isSpace(tag[i]) && tag[i] != '>') {
        ++i;
    }
    while (i < tag.size()) {
        while (i < tag.size() && (isSpace(tag[i]) || tag[i] == '/')) {
            ++i;
        }
        if (i >= tag.size() || tag[i] == '>') {
            break;
        }
        const size_t nameStart = i;
        while (i < tag.size() && !isSpace(tag[i]) && tag[i] != '=' && tag[i] != '>') {
            ++i;
        }
        Attribute a{text::toUpper(tag.substr(nameStart, i - nameStart)), {}};
        size_t j = i;
        while (j < tag.size() && isSpace(tag[j])) {
            ++j;
        }
        if (j < tag.size() && tag[j] == '=') {
            i = j + 1;
            while (i < tag.size() && isSpace(tag[i])) {
                ++i;
            }
            if (i < tag.size() && (tag[i] == '"' || tag[i] == '\'')) {
                const char quote = tag[i++];
                const size_t end = tag.find(quote, i);
                const size_t stop = end == std::string_view::npos ? tag.size() : end;
                a.value = std::string(tag.substr(i, stop - i));
                i = stop == tag.size() ? stop : stop + 1;
            } else {
                const size_t valueStart = i;
                while (i < tag.size() && !isSpace(tag[i]) && tag[i] != '>') {
                    ++i;
                }
                a.value = std::string(tag.substr(valueStart, i - valueStart));
            }
        }
        out.push_back(std::move(a));
    }
    return out;
}

// The leading whole number of a value, within 0..limit; whether a "%" follows it.
int leadingNumber(std::string_view value, int limit, bool* percent = nullptr) {
    value = text::trim(value);
    long long n = 0;
    size_t i = 0;
    while (i < value.size() && std::isdigit(static_cast<unsigned char>(value[i]))) {
        n = std::min<long long>(n * 10 + (value[i] - '0'), limit);
        ++i;
    }
    if (percent) {
        *percent = text::trimRight(value).ends_with('%');
    }
    return static_cast<int>(n);
}

void append(std::string& tag, const char* name, std::string_view value) {
    tag += ' ';
    tag += name;
    tag += "=\"";
    for (char c : value) {
        if (c == '"') {
            tag += "&quot;";
        } else {
            tag += c;
        }
    }
    tag += '"';
}

std::string sized(int value, bool percent) {
    return std::to_string(value) + (percent ? "%" : "");
}

} // namespace

std::string alignValue(PictureAlign align) {
    return kAlignValues[static_cast<size_t>(align)];
}

PictureTag parsePictureTag(std::string_view tag) {
    PictureTag fields;
    for (const Attribute& a : attributes(tag)) {
        if (a.name == "SRC") {
            fields.src = a.value;
        } else if (a.name == "ALIGN") {
            const std::string value = text::toUpper(text::trim(a.value));
            fields.align = PictureAlign::None;
            for (size_t k = 1; k < kAlignValues.size(); ++k) {
                if (value == kAlignValues[k]) {
                    fields.align = static_cast<PictureAlign>(k);
                }
            }
        } else if (a.name == "BORDER") {
            fields.border = leadingNumber(a.value, 9999);
        } else if (a.name == "HSPACE") {
            fields.hspace = leadingNumber(a.value, 9999);
        } else if (a.name == "VSPACE") {
            fields.vspace = leadingNumber(a.value, 9999);
        } else if (a.name == "WIDTH") {
            fields.size = true;
            fields.width = leadingNumber(a.value, 99999, &fields.widthPercent);
        } else if (a.name == "HEIGHT") {
            fields.size = true;
            fields.height = leadingNumber(a.value, 99999, &fields.heightPercent);
        } else if (a.name == "ALT") {
            fields.alt = a.value;
        }
    }
    return fields;
}

std::string buildPictureTag(const PictureTag& f, std::string_view file, bool insertMode) {
    std::string tag = "<IMG";
    append(tag, "SRC", file);
    if (f.align != PictureAlign::None) {
        append(tag, "ALIGN", alignValue(f.align));
    }
    append(tag, "BORDER", std::to_string(f.border));
    if (f.hspace > 0) {
        append(tag, "HSPACE", std::to_string(f.hspace));
    }
    if (f.vspace > 0) {
        append(tag, "VSPACE", std::to_string(f.vspace));
    }
    if (f.size && f.width > 0) {
        append(tag, "WIDTH", sized(f.width, f.widthPercent));
    }
    if (f.size && f.height > 0) {
        append(tag, "HEIGHT", sized(f.height, f.heightPercent));
    }
    if (!text::trim(f.alt).empty()) {
        append(tag, "ALT", f.alt);
    }
    tag += insertMode ? "> " : ">";
    return tag;
}

std::string pictureFileName(std::string_view soubor) {
    const size_t slash = soubor.find_last_of("\\/");
    return std::string(slash == std::string_view::npos ? soubor : soubor.substr(slash + 1));
}

std::string altOfFile(std::string_view fileName, std::uintmax_t bytes) {
    return std::string(fileName) + " (" + std::to_string(bytes) + " bytes)";
}

} // namespace arkona::catalogue
