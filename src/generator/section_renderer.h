#pragma once

#include "generator/generator_settings.h"
#include "generator/goods_pictures.h"
#include "generator/page_state.h"
#include "generator/product_section.h"
#include "generator/site_folders.h"
#include "generator/site_snapshot.h"
#include "generator/template_cache.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace arkona::generator {

// Renders the sections of a page (html.dbf, in PORADI order) into its output lines: `Sekce` for
// a normal page, `Sekce_Hlavni` for a frame-set page. This is where each section type plugs in.
//
// Text sections ("t") are written here: the page's font tag, the section's HTML unchanged, an
// empty line; on a frame-set page they land in the document head, before the shop script and
// the frame set of its main section ("h"). Product sections ("p") are written by the product
// listing. Cart ("k") and order ("o") sections plug in at the marked place of Sekce; until then
// they write nothing.
class SectionRenderer {
public:
    SectionRenderer(const SiteSnapshot& snapshot, const GeneratorSettings& settings,
                    SiteFolders& folders);

    void Sekce(PageState& state);
    void Sekce_Hlavni(PageState& state);

    // Called before a template file is read (the step caption "... šablona").
    void onTemplateRead(std::function<void()> f) { templates_.onRead(std::move(f)); }
    const TemplateCache& templates() const { return templates_; }
    // What went wrong without stopping a page (a picture that could not be copied), since the
    // last call.
    std::vector<std::string> takeWarnings() { return std::exchange(warnings_, {}); }

private:
    void textSection(PageState& state, const SectionRecord& section);

    const SiteSnapshot& snapshot_;
    const GeneratorSettings& settings_;
    std::vector<std::string> warnings_;
    TemplateCache templates_;
    GoodsPictures pictures_;
    ProductSectionWriter products_;
};

} // namespace arkona::generator
