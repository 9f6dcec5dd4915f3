#pragma once

#include "generator/page_lines.h"
#include "generator/site_snapshot.h"

#include <string>

namespace arkona::generator {

// The working state of the page being generated, which the navigation and the section
// rendering read: replaced for every page.
struct PageState {
    const PageRecord& page;
    const site::PageNode& node;
    std::string folder;   // PATH without blanks: the "from" folder of every relative link
    std::string baseFont; // the base-font line; empty when the page has none
    std::string bodyTag;  // the page's body tag, also the frame set's no-frames body
    PageLines& lines;     // the output line list
};

} // namespace arkona::generator
