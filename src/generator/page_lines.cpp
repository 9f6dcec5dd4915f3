#include "generator/page_lines.h"

#include "base/codepage.h"

namespace arkona::generator {

namespace {

// Appends UTF-8 text in Windows-1250: runs of ASCII as they are, the characters beyond ASCII
// (whole, since every byte of a multi-byte character is beyond ASCII) through the code page.
void appendEncoded(std::string& out, std::string_view utf8) {
    size_t at = 0;
    while (at < utf8.size()) {
        size_t end = at;
        while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) < 0x80) {
            ++end;
        }
        out.append(utf8.data() + at, end - at);
        at = end;
        while (end < utf8.size() && static_cast<unsigned char>(utf8[end]) >= 0x80) {
            ++end;
        }
        if (end > at) {
            out += text::fromUtf8ForHtml(utf8.substr(at, end - at));
            at = end;
        }
    }
}

} // namespace

std::string PageLines::bytes() const {
    std::string out;
    encodeTo(out);
    return out;
}

void PageLines::encodeTo(std::string& out) const {
    size_t size = 0;
    for (const auto& line : lines_) {
        size += line.size() + 2;
    }
    out.clear();
    out.reserve(size);
    for (const auto& line : lines_) {
        appendEncoded(out, line);
        out += "\r\n";
    }
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
