#include "generator/section_renderer.h"

#include "site/section_types.h"

namespace arkona::generator {

void SectionRenderer::textSection(PageState& state, const SectionRecord& section) {
    state.lines.add(state.page.font);
    state.lines.add(section.html);
    state.lines.add({});
}

void SectionRenderer::Sekce(PageState& state) {
    for (const SectionRecord& section : snapshot_.sections(state.page.id)) {
        if (section.type.size() != 1) {
            continue;
        }
        switch (section.type[0]) {
        case site::kTextSection:
            textSection(state, section);
            break;
        default: // product, cart and order sections: their own rendering
            break;
        }
    }
}

void SectionRenderer::Sekce_Hlavni(PageState& state) {
    for (const SectionRecord& section : snapshot_.sections(state.page.id)) {
        if (section.type == std::string(1, site::kTextSection)) {
            textSection(state, section);
        }
    }
    // The shop script of the main section and the frame set come with their own rendering.
}

} // namespace arkona::generator
