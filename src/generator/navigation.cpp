#include "generator/navigation.h"

#include "site/relative_path.h"

#include <algorithm>

namespace arkona::generator {

namespace {

enum class EntryKind { Current, Path, Other };

std::string repeated(std::string_view piece, int times) {
    std::string out;
    out.reserve(piece.size() * static_cast<size_t>(std::max(times, 0)));
    for (int i = 0; i < times; ++i) {
        out += piece;
    }
    return out;
}

} // namespace

std::string linkFontOf(std::string_view font, std::string_view linkColour) {
    std::string tag(font);
    const size_t hash = tag.find('#');
    if (hash != std::string::npos) {
        tag.replace(hash + 1, 6, linkColour);
    }
    return tag;
}

std::array<SlotStyle, kLevels> slotStyles(const PageRecord& page, bool skipSectionLevel) {
    std::array<SlotStyle, kLevels> slots;
    for (int slot = 0; slot < kLevels; ++slot) {
        const int level = skipSectionLevel ? std::max(slot - 1, 0) : slot;
        const LevelLook& look = page.levels[static_cast<size_t>(level)];
        SlotStyle& s = slots[static_cast<size_t>(slot)];
        s.offPath = look.offPath;
        s.onPath = look.onPath;
        s.font = look.font;
        s.linkFont = linkFontOf(look.font, page.linkColour);
    }
    return slots;
}

std::vector<NavigationEntry> navigationEntries(const site::PageTree& tree,
                                               const site::PageNode& current) {
    // The way from the top level down to the current page.
    std::vector<const site::PageNode*> way;
    for (const site::PageNode* n = &current; n; n = n->parent) {
        way.push_back(n);
    }
    std::reverse(way.begin(), way.end());
    const int depth = static_cast<int>(way.size());

    std::vector<NavigationEntry> entries;
    // Each level of the way: its pages up to and including the one on the way.
    for (int level = 1; level <= depth; ++level) {
        const site::PageNode* onWay = way[static_cast<size_t>(level - 1)];
        for (const site::PageNode* sibling : tree.children(onWay->parent)) {
            entries.push_back({sibling, level});
            if (sibling == onWay) {
                break;
            }
        }
    }
    for (const site::PageNode* child : current.children) {
        entries.push_back({child, depth + 1});
    }
    // The rest of every level, from the current page's own up to the top level.
    for (int level = depth; level >= 1; --level) {
        const site::PageNode* onWay = way[static_cast<size_t>(level - 1)];
        const auto& siblings = tree.children(onWay->parent);
        auto at = std::find(siblings.begin(), siblings.end(), onWay);
        for (++at; at < siblings.end(); ++at) {
            entries.push_back({*at, level});
        }
    }
    return entries;
}

void LoadNavigator(const SiteSnapshot& snapshot, const site::PageNode& node, const PageRecord& page,
                   std::string_view folder, bool skipSectionLevel, PageLines& lines) {
    const auto slots = slotStyles(page, skipSectionLevel);
    const std::string images = site::RelativePath(folder, "/_images");
    const auto entries = navigationEntries(snapshot.tree(), node);
    bool beforeCurrent = true;
    bool linkFolderKnown = false;
    std::string linkFolder, linkPrefix;
    for (size_t j = 0; j < entries.size(); ++j) {
        const NavigationEntry& entry = entries[j];
        EntryKind kind = EntryKind::Other;
        if (entry.node == &node) {
            kind = EntryKind::Current;
            beforeCurrent = false;
        } else if (beforeCurrent && j + 1 < entries.size() && entries[j + 1].level > entry.level) {
            kind = EntryKind::Path;
        }
        const PageRecord* shown = snapshot.page(*entry.node);
        if (!shown || !shown->navigation) {
            continue;
        }
        const int h = entry.level - (skipSectionLevel ? 1 : 0);
        const SlotStyle& slot = slots[static_cast<size_t>(h >= 1 && h <= kLevels ? h - 1 : 5)];

        std::string line;
        if (page.indent > 0 && h > 1) {
            line = repeated("&nbsp;", (h - 1) * page.indent);
        }
        if (kind != EntryKind::Current) {
            // Neighbouring entries mostly share their folder.
            if (!linkFolderKnown || shown->path != linkFolder) {
                linkFolder = shown->path;
                linkPrefix = site::RelativePath(folder, linkFolder);
                linkFolderKnown = true;
            }
            line += "<A HREF=\"";
            line += linkPrefix;
            line += shown->src;
            line += ".htm\" TARGET=\"wsp\">";
        }
        line += "<IMG SRC=\"";
        line += images;
        line += kind == EntryKind::Other ? slot.offPath : slot.onPath;
        line += "\" BORDER=\"0\" ALIGN=\"ABSMIDDLE\" ALT=\"+\">";
        line += kind == EntryKind::Current ? slot.font : slot.linkFont;
        line += shown->title;
        for (const auto& [open, close] :
             {std::pair{"<B>", "</B>"}, std::pair{"<I>", "</I>"}, std::pair{"<U>", "</U>"}}) {
            if (line.find(open) != std::string::npos) {
                line += close;
            }
        }
        line += kind == EntryKind::Current ? "</FONT><BR>" : "</FONT></A><BR>";
        lines.add(std::move(line));
    }
}

} // namespace arkona::generator
