#pragma once

#include "templates/section_template.h"

#include <string>
#include <string_view>
#include <vector>

namespace arkona::generator {

// What a product template gives a product section: the listing text (the table with header and
// totals around `display();`, and the functions ksSel, sectiVysledek, txt and obj the goods
// calls invoke) and the set-function text (sets in product listings plug in here; empty until
// then).
struct ProductListing {
    std::vector<std::string> lines;
    std::vector<std::string> setFunctions;
};

// The listing of a product template for a page whose base-font line is `baseFont` (a cell's
// font is written only where it differs from it).
ProductListing productListing(const templates::SectionTemplate& t, std::string_view baseFont);

} // namespace arkona::generator
