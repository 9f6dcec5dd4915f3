#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace arkona::catalogue {

// "Zarovnání:" in list order: "žádné", "doleva", "doprava", "doprostřed", "nahoru",
// "dolů (abs.)", "doprostřed (abs.)", "text nahoře", "základna".
enum class PictureAlign { None, Left, Right, Middle, Top, AbsBottom, AbsMiddle, TextTop, Baseline };

// The fields of the picture tag dialog.
struct PictureTag {
    std::string src; // "Soubor:"
    PictureAlign align = PictureAlign::None;
    int border = 0;    // "Tloušťka okraje:" 0..9999
    int hspace = 0;    // "Vodorovná rozteč:"
    int vspace = 0;    // "Svislá rozteč:"
    bool size = false; // "Určit"
    int width = 0;     // 0..99999
    bool widthPercent = false;
    int height = 0;
    bool heightPercent = false;
    std::string alt; // "ALT="

    bool operator==(const PictureTag&) const = default;
};

// The attribute value of an alignment ("LEFT" ... "BASELINE"; empty for None).
std::string alignValue(PictureAlign align);

// Reads a picture tag from "<IMG" to its ">": attributes in any order and letter case, values in
// double, single or no quotes, kept as written (blanks included). Unknown attributes are
// ignored; an unknown ALIGN value is "žádné"; numbers are read from their leading digits and
// kept within the fields' ranges.
PictureTag parsePictureTag(std::string_view tag);

// The tag for the file name `file`: SRC always, then ALIGN unless "žádné", BORDER always, HSPACE
// and VSPACE above 0, WIDTH and HEIGHT when "Určit" is checked and above 0 (with "%" in percent),
// ALT when not blank after trimming (written untrimmed); each as a blank, the name, "=" and the
// value in double quotes. It ends with ">", in insert mode with "> ". A double quote inside a
// value is written as &quot; so that the tag stays whole.
std::string buildPictureTag(const PictureTag& fields, std::string_view file, bool insertMode);

// The file name of "Soubor:": the part after its last backslash (or slash), else the whole text.
std::string pictureFileName(std::string_view soubor);

// "ALT=" of a newly chosen file: the file name, " (", its size in bytes and " bytes)".
std::string altOfFile(std::string_view fileName, std::uintmax_t bytes);

} // namespace arkona::catalogue
