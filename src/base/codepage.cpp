#include "base/codepage.h"

#include "base/error.h"

#include <array>
#include <cstdint>

namespace arkona::text {

namespace {

// Bytes 0x00 to 0x7F are ASCII in all three code pages. Bytes a code page leaves undefined hold
// the C1 control of the same value, so that any file survives a read and a write unchanged.

// Bytes 0x80 to 0xFF of cp1250.
constexpr std::array<char16_t, 128> kWindows1250High = {
    /* 80 */ 0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,
    /* 88 */ 0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,
    /* 90 */ 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    /* 98 */ 0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,
    /* A0 */ 0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,
    /* A8 */ 0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,
    /* B0 */ 0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    /* B8 */ 0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,
    /* C0 */ 0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,
    /* C8 */ 0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,
    /* D0 */ 0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,
    /* D8 */ 0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF,
    /* E0 */ 0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,
    /* E8 */ 0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,
    /* F0 */ 0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,
    /* F8 */ 0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9,
};

// Bytes 0x80 to 0xFF of cp852.
constexpr std::array<char16_t, 128> kDos852High = {
    /* 80 */ 0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x016F, 0x0107, 0x00E7,
    /* 88 */ 0x0142, 0x00EB, 0x0150, 0x0151, 0x00EE, 0x0179, 0x00C4, 0x0106,
    /* 90 */ 0x00C9, 0x0139, 0x013A, 0x00F4, 0x00F6, 0x013D, 0x013E, 0x015A,
    /* 98 */ 0x015B, 0x00D6, 0x00DC, 0x0164, 0x0165, 0x0141, 0x00D7, 0x010D,
    /* A0 */ 0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x0104, 0x0105, 0x017D, 0x017E,
    /* A8 */ 0x0118, 0x0119, 0x00AC, 0x017A, 0x010C, 0x015F, 0x00AB, 0x00BB,
    /* B0 */ 0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x011A,
    /* B8 */ 0x015E, 0x2563, 0x2551, 0x2557, 0x255D, 0x017B, 0x017C, 0x2510,
    /* C0 */ 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x0102, 0x0103,
    /* C8 */ 0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,
    /* D0 */ 0x0111, 0x0110, 0x010E, 0x00CB, 0x010F, 0x0147, 0x00CD, 0x00CE,
    /* D8 */ 0x011B, 0x2518, 0x250C, 0x2588, 0x2584, 0x0162, 0x016E, 0x2580,
    /* E0 */ 0x00D3, 0x00DF, 0x00D4, 0x0143, 0x0144, 0x0148, 0x0160, 0x0161,
    /* E8 */ 0x0154, 0x00DA, 0x0155, 0x0170, 0x00FD, 0x00DD, 0x0163, 0x00B4,
    /* F0 */ 0x00AD, 0x02DD, 0x02DB, 0x02C7, 0x02D8, 0x00A7, 0x00F7, 0x00B8,
    /* F8 */ 0x00B0, 0x00A8, 0x02D9, 0x0171, 0x0158, 0x0159, 0x25A0, 0x00A0,
};

// Bytes 0x80 to 0xFF of cp1252.
constexpr std::array<char16_t, 128> kWindows1252High = {
    /* 80 */ 0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    /* 88 */ 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    /* 90 */ 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    /* 98 */ 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    /* A0 */ 0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x00A4, 0x00A5, 0x00A6, 0x00A7,
    /* A8 */ 0x00A8, 0x00A9, 0x00AA, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,
    /* B0 */ 0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,
    /* B8 */ 0x00B8, 0x00B9, 0x00BA, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,
    /* C0 */ 0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x00C4, 0x00C5, 0x00C6, 0x00C7,
    /* C8 */ 0x00C8, 0x00C9, 0x00CA, 0x00CB, 0x00CC, 0x00CD, 0x00CE, 0x00CF,
    /* D0 */ 0x00D0, 0x00D1, 0x00D2, 0x00D3, 0x00D4, 0x00D5, 0x00D6, 0x00D7,
    /* D8 */ 0x00D8, 0x00D9, 0x00DA, 0x00DB, 0x00DC, 0x00DD, 0x00DE, 0x00DF,
    /* E0 */ 0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x00E4, 0x00E5, 0x00E6, 0x00E7,
    /* E8 */ 0x00E8, 0x00E9, 0x00EA, 0x00EB, 0x00EC, 0x00ED, 0x00EE, 0x00EF,
    /* F0 */ 0x00F0, 0x00F1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x00F6, 0x00F7,
    /* F8 */ 0x00F8, 0x00F9, 0x00FA, 0x00FB, 0x00FC, 0x00FD, 0x00FE, 0x00FF,
};

// Above the last character any of the pages holds, nothing can be encoded.
constexpr char32_t kReverseLimit = 0x2600;

struct Utf8Char {
    unsigned char length = 0;
    char bytes[3] = {};
};

struct PageTables {
    std::array<Utf8Char, 256> toUtf8{};
    // Byte for code points 0x80 to kReverseLimit - 1; 0 where the page has none (byte 0 is
    // U+0000, which the ASCII path handles).
    std::array<unsigned char, kReverseLimit - 0x80> fromUnicode{};
    char32_t decoded[256] = {};
};

constexpr Utf8Char encodeUtf8(char32_t c) {
    Utf8Char u;
    if (c < 0x80) {
        u.length = 1;
        u.bytes[0] = static_cast<char>(c);
    } else if (c < 0x800) {
        u.length = 2;
        u.bytes[0] = static_cast<char>(0xC0 | (c >> 6));
        u.bytes[1] = static_cast<char>(0x80 | (c & 0x3F));
    } else {
        u.length = 3;
        u.bytes[0] = static_cast<char>(0xE0 | (c >> 12));
        u.bytes[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        u.bytes[2] = static_cast<char>(0x80 | (c & 0x3F));
    }
    return u;
}

constexpr PageTables makeTables(const std::array<char16_t, 128>& high) {
    PageTables t;
    for (unsigned b = 0; b < 256; ++b) {
        const char32_t c = b < 0x80 ? char32_t(b) : char32_t(high[b - 0x80]);
        t.decoded[b] = c;
        t.toUtf8[b] = encodeUtf8(c);
        if (c >= 0x80) {
            t.fromUnicode[c - 0x80] = static_cast<unsigned char>(b);
        }
    }
    return t;
}

constexpr PageTables kTables1250 = makeTables(kWindows1250High);
constexpr PageTables kTables852 = makeTables(kDos852High);
constexpr PageTables kTables1252 = makeTables(kWindows1252High);

const PageTables& tablesOf(CodePage page) {
    switch (page) {
    case CodePage::Dos852:
        return kTables852;
    case CodePage::Windows1252:
        return kTables1252;
    case CodePage::Windows1250:
        break;
    }
    return kTables1250;
}

const char* nameOf(CodePage page) {
    switch (page) {
    case CodePage::Dos852:
        return "DOS 852";
    case CodePage::Windows1252:
        return "Windows-1252";
    case CodePage::Windows1250:
        break;
    }
    return "Windows-1250";
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes the non-ASCII sequence at s[i]; rejects overlong forms, surrogates and values beyond
// U+10FFFF. Returns kInvalid for malformed input.
inline char32_t decodeMultiByte(const unsigned char* s, std::size_t n, std::size_t& i) {
    const unsigned char lead = s[i];
    int count = 0;
    char32_t c = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        count = 1;
        c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        count = 2;
        c = lead & 0x0F;
        if (lead == 0xE0) {
            low = 0xA0;
        } else if (lead == 0xED) {
            high = 0x9F;
        }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        count = 3;
        c = lead & 0x07;
        if (lead == 0xF0) {
            low = 0x90;
        } else if (lead == 0xF4) {
            high = 0x8F;
        }
    } else {
        return kInvalid;
    }
    if (n - i <= static_cast<std::size_t>(count)) {
        return kInvalid;
    }
    for (int k = 1; k <= count; ++k) {
        const unsigned char b = s[i + k];
        if (b < low || b > high) {
            return kInvalid;
        }
        low = 0x80;
        high = 0xBF;
        c = (c << 6) | (b & 0x3F);
    }
    i += count + 1;
    return c;
}

inline int byteFor(const PageTables& t, char32_t c) {
    if (c < 0x80) {
        return static_cast<int>(c);
    }
    if (c >= kReverseLimit) {
        return -1;
    }
    const unsigned char b = t.fromUnicode[c - 0x80];
    return b == 0 ? -1 : b;
}

[[noreturn]] void throwMalformed() {
    throw Error("Text není platný v kódování UTF-8.");
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x10000) {
        const Utf8Char u = encodeUtf8(c);
        out.append(u.bytes, u.length);
        return;
    }
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
}

std::string hexCode(char32_t c) {
    static const char digits[] = "0123456789ABCDEF";
    std::string hex;
    int shift = 12;
    while (shift < 20 && (c >> (shift + 4)) != 0) {
        shift += 4;
    }
    for (; shift >= 0; shift -= 4) {
        hex += digits[(c >> shift) & 0xF];
    }
    return "U+" + hex;
}

[[noreturn]] void throwUnencodable(char32_t c, CodePage page) {
    std::string message = "Znak ";
    // A control character shown between quotes would be invisible or break the message.
    const bool printable = c >= 0x20 && !(c >= 0x7F && c <= 0x9F);
    if (printable) {
        std::string glyph;
        appendUtf8(glyph, c);
        message += "\u201E" + glyph + "\u201C (" + hexCode(c) + ")";
    } else {
        message += hexCode(c);
    }
    message += " nelze uložit v kódové stránce ";
    message += nameOf(page);
    message += '.';
    throw Error(message);
}

} // namespace

std::string toUtf8(std::string_view bytes, CodePage page) {
    const PageTables& t = tablesOf(page);
    std::string out;
    out.resize(bytes.size() * 3);
    char* o = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            *o++ = ch;
            continue;
        }
        const Utf8Char& u = t.toUtf8[b];
        o[0] = u.bytes[0];
        o[1] = u.bytes[1];
        o[2] = u.bytes[2];
        o += u.length;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

std::string fromUtf8(std::string_view utf8, CodePage page) {
    const PageTables& t = tablesOf(page);
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    std::string out;
    out.resize(n); // never longer than the UTF-8 text
    char* o = out.data();
    std::size_t i = 0;
    while (i < n) {
        if (s[i] < 0x80) {
            *o++ = static_cast<char>(s[i++]);
            continue;
        }
        const char32_t c = decodeMultiByte(s, n, i);
        if (c == kInvalid) {
            throwMalformed();
        }
        const int b = byteFor(t, c);
        if (b < 0) {
            throwUnencodable(c, page);
        }
        *o++ = static_cast<char>(b);
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
    return out;
}

std::string fromUtf8ForHtml(std::string_view utf8) {
    const PageTables& t = kTables1250;
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    std::string out;
    out.reserve(n);
    std::size_t i = 0;
    while (i < n) {
        if (s[i] < 0x80) {
            out += static_cast<char>(s[i++]);
            continue;
        }
        const char32_t c = decodeMultiByte(s, n, i);
        if (c == kInvalid) {
            throwMalformed();
        }
        const int b = byteFor(t, c);
        if (b >= 0) {
            out += static_cast<char>(b);
        } else {
            out += "&#";
            out += std::to_string(static_cast<std::uint32_t>(c));
            out += ';';
        }
    }
    return out;
}

bool canEncode(std::string_view utf8, CodePage page) {
    const PageTables& t = tablesOf(page);
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
        if (s[i] < 0x80) {
            ++i;
            continue;
        }
        const char32_t c = decodeMultiByte(s, n, i);
        if (c == kInvalid || byteFor(t, c) < 0) {
            return false;
        }
    }
    return true;
}

char32_t decodeByte(unsigned char byte, CodePage page) {
    return tablesOf(page).decoded[byte];
}

namespace {

// Length of the valid UTF-8 sequence at `i`, 0 when there is none.
size_t utf8SequenceAt(std::string_view s, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b = byte(i);
    size_t length = 0;
    char32_t cp = 0;
    if (b < 0x80) {
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        length = 2;
        cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        length = 3;
        cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        length = 4;
        cp = b & 0x07;
    } else {
        return 0;
    }
    if (i + length > s.size()) {
        return 0;
    }
    for (size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
        cp = cp << 6 | (byte(i + k) & 0x3F);
    }
    const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < least[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

std::string textFileToUtf8(std::string_view bytes) {
    const bool marked = bytes.starts_with("\xEF\xBB\xBF");
    if (marked) {
        bytes.remove_prefix(3);
    }
    bool beyondAscii = false;
    for (size_t i = 0; i < bytes.size();) {
        const size_t n = utf8SequenceAt(bytes, i);
        if (n == 0) {
            return toUtf8(bytes, CodePage::Windows1250);
        }
        beyondAscii = beyondAscii || n > 1;
        i += n;
    }
    return marked || beyondAscii ? std::string(bytes) : toUtf8(bytes, CodePage::Windows1250);
}

} // namespace arkona::text
