#pragma once

#include <array>
#include <string>
#include <string_view>

namespace arkona::templates {

// A font setting as every font field of a project stores it: one complete opening tag
//   <FONT FACE="face" SIZE=n COLOR="#RRGGBB">
// followed by <B>, <I> and <U> (each present or not, always in this order). The font tag
// chooser is the one place that builds such a tag; the generator writes it unchanged.

// A face offered by the chooser: its list entry, the face text written into the tag and the
// family the preview shows.
struct FontFace {
    const char* entry;
    const char* written;
    const char* family;
};
const std::array<FontFace, 3>& fontFaces();

inline constexpr const char* kDefaultFace = "Arial CE, ARIAL, Helvetica";
inline constexpr int kDefaultSize = 3;
inline constexpr int kMinSize = 1;
inline constexpr int kMaxSize = 7;

// "1 (8 bodů)" ... "7 (36 bodů)".
const std::array<const char*, 7>& fontSizeEntries();
// Points of a size digit in the preview (8, 10, 12, 14, 18, 24, 36); the default size's for
// anything outside 1..7.
int previewPoints(int size);

struct FontTag {
    std::string face = kDefaultFace; // as written between FACE=" and the closing quote
    int size = kDefaultSize;         // 1..7
    std::string colour = "000000";   // six upper-case hexadecimal digits
    bool bold = false;
    bool italic = false;
    bool underline = false;

    bool operator==(const FontTag&) const = default;
};

// Reads any text as a font tag without ever reading outside it: an empty text gives the
// defaults; a tag written by hand (other attribute order, lower case, single quotes, a missing
// attribute) gives what it says, and whatever cannot be understood keeps its default.
FontTag parseFontTag(std::string_view tag);

// The tag exactly as the chooser writes it.
std::string buildFontTag(const FontTag& font);

// The offered face a face text stands for (0 Arial, 1 Courier, 2 Times), -1 for any other face.
int faceIndex(std::string_view face);

// The family the preview shows for a face text: the offered face's family, else the first name
// of the face list ("Verdana, Arial" shows Verdana).
std::string previewFamily(std::string_view face);

} // namespace arkona::templates
