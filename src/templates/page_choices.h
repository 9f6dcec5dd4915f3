#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace arkona::templates {

// A page the shop settings dialog offers for its frames and jumps.
struct PageChoice {
    std::string htmlId; // "12_"
    std::string title;  // POPIS
    std::string url;    // PATH + "/" + SRC + ".htm"
    int depth = 0;      // 0 for top-level pages
};

// The URL path of a page from the site root: its PATH, "/", its SRC and ".htm".
std::string pageUrl(std::string_view path, std::string_view src);

// The pages of the project in tree order (PORADI), read from its page table; link pages are
// left out, since they show another page's file. Throws arkona::Error when the table cannot
// be read.
// This reads the table directly so the dialog does not depend on the page tree's windows;
// once the page tree model offers its own walk, this is the one place to switch.
std::vector<PageChoice> pagesInTreeOrder(const std::filesystem::path& projectFolder);

} // namespace arkona::templates
