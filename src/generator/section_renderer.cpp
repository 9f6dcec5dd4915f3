#include "generator/section_renderer.h"

#include "generator/frame_set.h"
#include "generator/shop_script.h"
#include "site/section_types.h"
#include "templates/template_files.h"

namespace arkona::generator {

void SectionRenderer::textSection(PageState& state, const SectionRecord& section) {
    state.lines.add(state.page.font);
    state.lines.add(section.html);
    state.lines.add({});
}

SectionRenderer::SectionRenderer(const SiteSnapshot& snapshot, const GeneratorSettings& settings,
                                 SiteFolders& folders)
    : snapshot_(snapshot), settings_(settings), templates_(settings.projectFolder),
      pictures_(folders, settings.projectFolder),
      products_(snapshot, templates_, pictures_, warnings_) {}

void SectionRenderer::Sekce(PageState& state) {
    products_.startPage();
    for (const SectionRecord& section : snapshot_.sections(state.page.id)) {
        if (section.type.size() != 1) {
            continue;
        }
        switch (section.type[0]) {
        case site::kTextSection:
            textSection(state, section);
            break;
        case site::kProductSection:
            products_.write(state, section);
            break;
        default: // cart ("k") and order ("o") sections write here when they come
            break;
        }
    }
}

void SectionRenderer::Sekce_Hlavni(PageState& state) {
    // Text sections go into the head before the script, wherever they stand among the
    // sections; the script is written once, with the settings of the last main section.
    const SectionRecord* main = nullptr;
    for (const SectionRecord& section : snapshot_.sections(state.page.id)) {
        if (section.type == std::string(1, site::kTextSection)) {
            textSection(state, section);
        } else if (section.type == std::string(1, site::kMainSection)) {
            main = &section;
        }
    }
    if (!main) {
        return;
    }
    const templates::ShopSettings shop = templates::readSectionShopSettings(
        settings_.projectFolder, main->templateName, templates::Defaults::Generator);
    for (auto& line : shopScriptLines(shop)) {
        state.lines.add(std::move(line));
    }
    writeFrameSet(state, shop, settings_);
}

} // namespace arkona::generator
