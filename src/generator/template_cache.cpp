#include "generator/template_cache.h"

#include "base/textcase.h"
#include "templates/template_files.h"

namespace arkona::generator {

namespace {

// A template whose grids write nothing: what stands in when even the default file is missing.
templates::SectionTemplate emptyTemplate() {
    templates::SectionTemplate t;
    for (auto* grid : {&t.header, &t.items, &t.totals}) {
        for (auto& cell : grid->cells) {
            cell.bgcolor = templates::kNoColour;
        }
    }
    return t;
}

} // namespace

const templates::SectionTemplate& TemplateCache::productTemplate(std::string_view sabid) {
    const std::string name = text::toUpper(text::trim(sabid));
    auto at = located_.find(name);
    if (at == located_.end()) {
        const auto location =
            templates::locateTemplate(projectFolder_, sabid, templates::TemplateKind::Product);
        at =
            located_.emplace(name, location.exists ? location.file : std::filesystem::path()).first;
    }
    const std::filesystem::path& file = at->second;
    const std::string key = text::toUpper(file.string());
    auto known = templates_.find(key);
    if (known == templates_.end()) {
        if (onRead_) {
            onRead_();
        }
        if (file.empty()) {
            known = templates_.emplace(key, emptyTemplate()).first;
        } else {
            ++filesRead_;
            known =
                templates_
                    .emplace(key, templates::readTemplate(file, templates::TemplateKind::Product,
                                                          templates::Defaults::Generator))
                    .first;
        }
    }
    return known->second;
}

const ProductListing& TemplateCache::productListing(std::string_view sabid,
                                                    std::string_view baseFont) {
    const templates::SectionTemplate& t = productTemplate(sabid);
    const std::string file = text::toUpper(located_.at(text::toUpper(text::trim(sabid))).string());
    const auto key = std::make_pair(file, std::string(baseFont));
    auto it = listings_.find(key);
    if (it == listings_.end()) {
        it = listings_.emplace(key, generator::productListing(t, baseFont)).first;
    }
    return it->second;
}

} // namespace arkona::generator
