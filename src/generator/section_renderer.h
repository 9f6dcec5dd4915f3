#pragma once

#include "generator/generator_settings.h"
#include "generator/page_state.h"
#include "generator/site_snapshot.h"

namespace arkona::generator {

// Renders the sections of a page (html.dbf, in PORADI order) into its output lines: `Sekce` for
// a normal page, `Sekce_Hlavni` for a frame-set page. This is where each section type plugs in.
//
// Text sections ("t") are written here: the page's font tag, the section's HTML unchanged, an
// empty line; on a frame-set page they land in the document head. Product ("p"), cart ("k"),
// order ("o") and main ("h") sections, and the frame set of a frame-set page with its shop
// script, are written by the product listing, cart, order and shop-script rendering; until
// those are built they write nothing.
class SectionRenderer {
public:
    SectionRenderer(const SiteSnapshot& snapshot, const GeneratorSettings& settings)
        : snapshot_(snapshot), settings_(settings) {}

    void Sekce(PageState& state);
    void Sekce_Hlavni(PageState& state);

private:
    void textSection(PageState& state, const SectionRecord& section);

    const SiteSnapshot& snapshot_;
    const GeneratorSettings& settings_;
};

} // namespace arkona::generator
