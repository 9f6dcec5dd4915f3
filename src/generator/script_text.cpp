#include "generator/script_text.h"

namespace arkona::generator {

namespace {

bool startsNoCase(std::string_view text, size_t at, std::string_view prefix) {
    if (text.size() - at < prefix.size()) {
        return false;
    }
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[at + i];
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
        if (c != prefix[i]) {
            return false;
        }
    }
    return true;
}

} // namespace

namespace {

// The "<" that would start a script's end, a script or a comment inside a script string.
bool dangerousAngle(std::string_view text, size_t at) {
    return startsNoCase(text, at, "</script") || startsNoCase(text, at, "<script") ||
           startsNoCase(text, at, "<!--");
}

} // namespace

std::string singleQuoted(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\'':
            out += "\\'";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '<':
            out += dangerousAngle(value, i) ? "\\x3C" : "<";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string delEnter(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
        case '\r':
            if (i + 1 < value.size() && value[i + 1] == '\n') {
                ++i;
            }
            out += "<BR>";
            break;
        case '\n':
            out += "<BR>";
            break;
        case '\'':
            out += "&acute;";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '<':
            out += dangerousAngle(value, i) ? "\\x3C" : "<";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string scriptString(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\'':
            out += "\\'";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '<':
            if (startsNoCase(value, i, "</script") || startsNoCase(value, i, "<script") ||
                startsNoCase(value, i, "<!--")) {
                out += "\\x3C";
            } else {
                out += c;
            }
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace arkona::generator
