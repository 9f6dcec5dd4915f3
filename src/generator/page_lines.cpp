#include "generator/page_lines.h"

#include "base/codepage.h"

namespace arkona::generator {

std::string PageLines::bytes() const {
    size_t size = 0;
    for (const auto& line : lines_) {
        size += line.size() + 2;
    }
    std::string text;
    text.reserve(size);
    for (const auto& line : lines_) {
        text += line;
        text += "\r\n";
    }
    return text::fromUtf8ForHtml(text);
}

std::string attributeValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        if (c == '"') {
            out += "&quot;";
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace arkona::generator
