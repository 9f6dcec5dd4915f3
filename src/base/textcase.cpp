#include "base/textcase.h"

#include "base/codepage.h"

#include <unicode/uchar.h>
#include <unicode/utf8.h>

namespace arkona::text {

namespace {

// Characters of the Windows-1250 repertoire whose Unicode partner lies outside it ("µ" would
// become Greek "Μ"); text that could be stored before must stay storable after a case change.
bool storable(UChar32 c) {
    if (c < 0x80) {
        return true;
    }
    char buffer[4];
    int32_t length = 0;
    UBool error = false;
    U8_APPEND(reinterpret_cast<uint8_t*>(buffer), length, 4, c, error);
    return !error && canEncode(std::string_view(buffer, static_cast<std::size_t>(length)));
}

template <class Map> std::string mapCase(std::string_view utf8, Map&& map) {
    std::string out;
    out.reserve(utf8.size());
    const auto* s = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto n = static_cast<int32_t>(utf8.size());
    int32_t i = 0;
    while (i < n) {
        if (s[i] < 0x80) {
            out += static_cast<char>(map.ascii(static_cast<char>(s[i])));
            ++i;
            continue;
        }
        const int32_t start = i;
        UChar32 c = 0;
        U8_NEXT(s, i, n, c);
        UChar32 mapped = c < 0 ? c : map.unicode(c);
        if (mapped != c && storable(c) && !storable(mapped)) {
            mapped = c;
        }
        if (mapped == c) {
            // Unchanged (including malformed bytes, which pass through as they are).
            out.append(utf8.data() + start, static_cast<std::size_t>(i - start));
            continue;
        }
        char buffer[4];
        int32_t length = 0;
        U8_APPEND_UNSAFE(reinterpret_cast<uint8_t*>(buffer), length, mapped);
        out.append(buffer, static_cast<std::size_t>(length));
    }
    return out;
}

struct Upper {
    static char ascii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }
    static UChar32 unicode(UChar32 c) { return u_toupper(c); }
};

struct Lower {
    static char ascii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }
    static UChar32 unicode(UChar32 c) { return u_tolower(c); }
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimRightSpaces(std::string_view s) {
    while (!s.empty() && s.back() == ' ') {
        s.remove_suffix(1);
    }
    return s;
}

} // namespace

std::string toUpper(std::string_view utf8) {
    return mapCase(utf8, Upper{});
}

std::string toLower(std::string_view utf8) {
    return mapCase(utf8, Lower{});
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    const auto* sa = reinterpret_cast<const uint8_t*>(a.data());
    const auto* sb = reinterpret_cast<const uint8_t*>(b.data());
    const auto na = static_cast<int32_t>(a.size());
    const auto nb = static_cast<int32_t>(b.size());
    int32_t i = 0;
    int32_t j = 0;
    while (i < na && j < nb) {
        if (sa[i] < 0x80 && sb[j] < 0x80) {
            if (Lower::ascii(static_cast<char>(sa[i])) != Lower::ascii(static_cast<char>(sb[j]))) {
                return false;
            }
            ++i;
            ++j;
            continue;
        }
        const int32_t startA = i;
        const int32_t startB = j;
        UChar32 ca = 0;
        UChar32 cb = 0;
        U8_NEXT(sa, i, na, ca);
        U8_NEXT(sb, j, nb, cb);
        if (ca < 0 || cb < 0) {
            // Malformed bytes only match the very same bytes.
            if (a.substr(startA, i - startA) != b.substr(startB, j - startB)) {
                return false;
            }
            continue;
        }
        if (ca != cb &&
            u_foldCase(ca, U_FOLD_CASE_DEFAULT) != u_foldCase(cb, U_FOLD_CASE_DEFAULT)) {
            return false;
        }
    }
    return i == na && j == nb;
}

bool codeEquals(std::string_view a, std::string_view b) {
    return trimRightSpaces(a) == trimRightSpaces(b);
}

bool codeEqualsNoCase(std::string_view a, std::string_view b) {
    return equalsNoCase(trimRightSpaces(a), trimRightSpaces(b));
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && isBlank(s.front())) {
        s.remove_prefix(1);
    }
    return trimRight(s);
}

std::string_view trimRight(std::string_view s) {
    while (!s.empty() && isBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

} // namespace arkona::text
