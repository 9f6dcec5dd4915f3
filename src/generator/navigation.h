#pragma once

#include "generator/page_lines.h"
#include "generator/site_snapshot.h"

#include <array>
#include <string>
#include <vector>

namespace arkona::generator {

// The look of one slot of the navigation column.
struct SlotStyle {
    std::string offPath;  // picture of an entry off the way to the current page
    std::string onPath;   // picture of the current page and its ancestors
    std::string font;     // font tag of the current page's entry
    std::string linkFont; // font tag of the other entries: the same with the link colour
};

// The six slots of a page's navigation column. Without the skip option slot k shows level k;
// with it the top level is not indented, so slots 1 and 2 both take level 1 and slot k the
// level k - 1. Each slot's link font is made from its own font.
std::array<SlotStyle, kLevels> slotStyles(const PageRecord& page, bool skipSectionLevel);

// A font tag with the six characters after its first "#" replaced by the link colour; a tag
// without "#" as it is.
std::string linkFontOf(std::string_view font, std::string_view linkColour);

// One entry of the navigation column; level 1 is the top level of the tree.
struct NavigationEntry {
    const site::PageNode* node;
    int level;
};

// The open-path listing of the tree around `current`: every top-level page, along the way down
// to the current page every level with all its pages, and the current page's children right
// below it. In tree order.
std::vector<NavigationEntry> navigationEntries(const site::PageTree& tree,
                                               const site::PageNode& current);

// Appends the navigation column of the current page (`node`, its row `page`, its folder) to
// `lines`: one line per entry whose page is shown in the navigation.
void LoadNavigator(const SiteSnapshot& snapshot, const site::PageNode& node, const PageRecord& page,
                   std::string_view folder, bool skipSectionLevel, PageLines& lines);

} // namespace arkona::generator
