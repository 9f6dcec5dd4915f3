#pragma once

#include "site/page_tree.h"

#include <string>
#include <string_view>

namespace arkona::site {

inline constexpr const char* kDefaultAnchorTarget = "wsp";

// The three attributes of a link that the page picker edits.
struct AnchorFields {
    std::string href;
    std::string target = kDefaultAnchorTarget;
    std::string onMouseOver;
};

struct ParsedAnchor {
    AnchorFields fields;  // TARGET keeps its default when the anchor has none
    std::string fileName; // the page file HREF names: after its last "/", without ".htm"
    std::string rest;     // what follows the opening tag: the link text, "</A>" and anything after
};

// Reads an anchor "<A HREF=... >text</A>": attribute names without regard to letter case,
// values in double or single quotes (of any length) or bare; a ">" inside a quoted value does
// not end the tag. "&quot;" in a value reads as a double quote.
ParsedAnchor parseAnchor(std::string_view anchor);

// <A HREF="href"[ TARGET="target"][ ONMOUSEOVER="script"]>: TARGET when it is not empty,
// ONMOUSEOVER when it is not blank. A double quote inside a value is written as "&quot;".
std::string anchorOpeningTag(const AnchorFields& fields);

// What the picker hands back.
enum class AnchorUse {
    OpeningTag,    // the goods link field: the opening tag alone
    EditExisting,  // the tag followed by what followed the old tag (`passed` is the old anchor)
    WrapSelection, // the tag, the selected text (`passed`) and "</A> "
};
std::string anchorResult(AnchorUse use, const AnchorFields& fields, std::string_view passed);

// HREF of a link from a page in folder `fromPath` to `page`: the relative path between the two
// folders, the page's SRC and ".htm" ("../a/5kontakt.htm").
std::string anchorHref(std::string_view fromPath, const PageNode& page);

// The page whose SRC is `fileName`: an ordinary page before a link page.
const PageNode* pageForFileName(const PageTree& tree, std::string_view fileName);

} // namespace arkona::site
