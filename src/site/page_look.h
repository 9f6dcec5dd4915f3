#pragma once

#include "site/page_look_width.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace arkona::dbf {
class Record;
}
namespace arkona::storage {
class TData2;
struct ProjectContext;
} // namespace arkona::storage

namespace arkona::site {

// A small-integer setting of the page body: a margin, border or inner spacing (-1 = not set,
// the attribute is left out of the page).
struct MarginSetting {
    const char* column;
    const char* caption;
    const char* attribute; // of the page body
};
inline constexpr int kMarginNotSet = -1;
inline constexpr int kMarginMax = 999;
const std::array<MarginSetting, 6>& outerMargins(); // "Vnější okraje"
const std::array<MarginSetting, 4>& borders();      // "Rámeček"
const std::array<MarginSetting, 4>& innerSpacing(); // "Vnitřní mezera"

// The navigation settings of one tree level (1 to 6).
struct NavigationLevel {
    std::string inactivePicture; // L1_OM: an entry off the path to the current page
    std::string activePicture;   // L1_OV: an entry on that path
    std::string font;            // L1_TXT
    const char* caption;         // "Nadpis", "Podtitulek 1" ...
};
inline constexpr int kNavigationLevels = 6;
NavigationLevel navigationLevel(int level);

inline constexpr int kIndentMax = 50; // TYPTREE

// The colour columns of a page.
inline constexpr const char* kPageColour = "BGCOLOR";
inline constexpr const char* kTextColour = "TXT_COLOR";
inline constexpr const char* kLinkColour = "LINK_C";
inline constexpr const char* kVisitedLinkColour = "VLINK_C";
inline constexpr const char* kActiveLinkColour = "ALINK_C";
inline constexpr const char* kNavigationColour = "TD1_C";

// The look and navigation settings of the current page of the data module. Every write puts the
// page row in edit mode, sets the column and writes the row at once; a write that fails leaves
// the row as it was stored and throws arkona::Error. A write of the value already stored is
// skipped.
class PageLook {
public:
    PageLook(storage::TData2& data, const storage::ProjectContext& context);

    bool hasPage() const;
    const storage::ProjectContext& context() const { return context_; }
    const dbf::Record& page() const; // throws when there is no current page

    std::string text(std::string_view column) const; // trimmed
    std::string memo(std::string_view column) const;
    bool flag(std::string_view column) const;
    int margin(std::string_view column) const; // blank reads as not set
    int indent() const;                        // TYPTREE within 0..50, blank 0
    NavigationWidth navigationWidth() const;
    // PATH + "/" + SRC + ".htm" of the current page.
    std::string sourcePath() const;
    // The picture file a picture column names, or empty when it is not in `_images`.
    std::filesystem::path picture(std::string_view column) const;

    void writeText(std::string_view column, std::string_view value);
    void writeMemo(std::string_view column, std::string_view value);
    void writeFlag(std::string_view column, bool value);

    // A colour field was left with `typed` in it; returns what the field shows afterwards. The
    // navigation colour keeps (and shows) its stored value when the field is left empty.
    std::string leaveColourField(std::string_view column, std::string_view typed);
    // A colour from the palette or the colour dialog.
    void writeColour(std::string_view column, std::string_view value);
    void writeMargin(std::string_view column, int value); // kept within -1..999
    void writeIndent(int value);                          // kept within 0..50
    void writeNavigationWidth(NavigationWidth width);
    void writeBackgroundProperties(std::string_view value); // trimmed

    // Copies the chosen file into `_images` and then stores its name; a picture that cannot be
    // copied leaves the column as it was. Returns the stored name.
    std::string choosePicture(std::string_view column, const std::filesystem::path& file);
    void clearPicture(std::string_view column);

    // The host page: the chosen page's PATH + "/" + SRC + ".htm".
    void writeOwner(std::string_view pageId);
    void clearOwner();

private:
    void store(std::string_view column, const std::string& value);

    storage::TData2& data_;
    const storage::ProjectContext& context_;
};

} // namespace arkona::site
