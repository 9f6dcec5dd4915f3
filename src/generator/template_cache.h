#pragma once

#include "generator/product_listing.h"
#include "generator/site_snapshot.h"
#include "templates/section_template.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>

namespace arkona::generator {

// The product templates of one generator run: each file is read once, when a section first
// needs it (names compared without regard to letter case), and its listing made once for each
// base font it is written under.
class TemplateCache {
public:
    explicit TemplateCache(std::filesystem::path projectFolder)
        : projectFolder_(std::move(projectFolder)) {}

    // Called before a template file is read (the step caption of the run).
    void onRead(std::function<void()> f) { onRead_ = std::move(f); }

    // The listing of the product template a section names (empty: "default.qsp"; a missing
    // file: the default; a missing default: a template that writes no grid).
    const ProductListing& productListing(std::string_view sabid, std::string_view baseFont);

    int filesRead() const { return filesRead_; }

private:
    const templates::SectionTemplate& productTemplate(std::string_view sabid);

    std::filesystem::path projectFolder_;
    std::function<void()> onRead_;
    TextMap<std::filesystem::path> located_;        // upper-case SABID -> file
    TextMap<templates::SectionTemplate> templates_; // upper-case file name -> template
    std::map<std::pair<std::string, std::string>, ProductListing> listings_; // (file, base font)
    int filesRead_ = 0;
};

} // namespace arkona::generator
