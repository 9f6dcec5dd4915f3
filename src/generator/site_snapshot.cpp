#include "generator/site_snapshot.h"

#include "base/dbf/table.h"
#include "base/error.h"
#include "base/paths.h"
#include "base/textcase.h"
#include "storage/schema.h"

#include <algorithm>

namespace arkona::generator {

namespace {

dbf::Table openTable(const std::filesystem::path& projectFolder, const char* name) {
    return dbf::Table::open(paths::resolve(projectFolder, std::string("\\_dbf\\") + name),
                            dbf::OpenMode::ReadOnly);
}

// The key columns a table cannot do without.
int required(const dbf::Table& table, std::string_view name) {
    const int col = table.fieldIndex(name);
    if (col < 0) {
        throw Error("Tabulka " + table.displayName() + " nemá sloupec " + std::string(name) + ".");
    }
    return col;
}

std::string trimmed(const dbf::Record& r, int col) {
    return std::string(text::trim(r.text(col)));
}

// Column positions of the page table, looked up once per run.
struct PageColumns {
    int id, title, src, path, disk, link, navigation;
    int owner, header, footer, textColour, pageColour, background, linkColour, visitedLinkColour,
        activeLinkColour, font, table, tableWidth, navigationColour, indent;
    std::array<int, 10> margins;
    std::array<std::array<int, 3>, kLevels> levels;

    explicit PageColumns(const dbf::Table& t) {
        const auto at = [&](std::string_view name) { return t.fieldIndex(name); };
        id = required(t, "HTMLID");
        title = at("POPIS");
        src = at("SRC");
        path = at("PATH");
        disk = at("DISK");
        link = at("LINK");
        navigation = at("NAVIGACE");
        owner = at("VLASTNIK");
        header = at("HD");
        footer = at("FT");
        textColour = at("TXT_COLOR");
        pageColour = at("BGCOLOR");
        background = at("BACKGROUND");
        linkColour = at("LINK_C");
        visitedLinkColour = at("VLINK_C");
        activeLinkColour = at("ALINK_C");
        font = at("TXT_FONT");
        table = at("TAB");
        tableWidth = at("TAB_WIDTH");
        navigationColour = at("TD1_C");
        indent = at("TYPTREE");
        for (size_t i = 0; i < kMarginColumns.size(); ++i) {
            margins[i] = at(kMarginColumns[i]);
        }
        for (int level = 0; level < kLevels; ++level) {
            const std::string l = "L" + std::to_string(level + 1);
            levels[static_cast<size_t>(level)] = {at(l + "_OM"), at(l + "_OV"), at(l + "_TXT")};
        }
    }
};

// Columns a table of an older format lacks read as blank.
std::string textOf(const dbf::Record& r, int col) {
    return col < 0 ? std::string() : r.text(col);
}
std::string memoOf(const dbf::Record& r, int col) {
    return col < 0 ? std::string() : r.memo(col);
}
bool flagOf(const dbf::Record& r, int col) {
    return col >= 0 && r.logical(col).value_or(false);
}

void readLook(const dbf::Record& r, const PageColumns& c, PageRecord& page) {
    page.complete = true;
    page.owner = c.owner < 0 ? std::string() : trimmed(r, c.owner);
    page.header = memoOf(r, c.header);
    page.footer = memoOf(r, c.footer);
    page.textColour = textOf(r, c.textColour);
    page.pageColour = textOf(r, c.pageColour);
    page.background = textOf(r, c.background);
    page.linkColour = textOf(r, c.linkColour);
    page.visitedLinkColour = textOf(r, c.visitedLinkColour);
    page.activeLinkColour = textOf(r, c.activeLinkColour);
    page.font = textOf(r, c.font);
    page.table = flagOf(r, c.table);
    page.tableWidth = textOf(r, c.tableWidth);
    page.navigationColour = textOf(r, c.navigationColour);
    page.indent = c.indent < 0 ? 0 : static_cast<int>(r.integer(c.indent).value_or(0));
    for (size_t i = 0; i < page.margins.size(); ++i) {
        const int col = c.margins[i];
        const auto value = col < 0 ? std::nullopt : r.integer(col);
        page.margins[i] = value && *value >= 0 ? static_cast<int>(*value) : kNotSet;
    }
    for (size_t level = 0; level < page.levels.size(); ++level) {
        const auto& cols = c.levels[level];
        page.levels[level] = {textOf(r, cols[0]), textOf(r, cols[1]), textOf(r, cols[2])};
    }
}

} // namespace

SiteSnapshot SiteSnapshot::read(const std::filesystem::path& projectFolder,
                                const site::PageTree& tree, const Options& options) {
    SiteSnapshot s;
    s.tree_ = &tree;
    const auto wanted = [&](std::string_view id) {
        return !options.completePages || options.completePages->contains(id);
    };

    {
        const auto table = openTable(projectFolder, storage::kStruktur);
        const PageColumns c(table);
        s.pages_.reserve(table.recordCount());
        table.scan([&](const dbf::Record& r) {
            PageRecord page;
            page.id = trimmed(r, c.id);
            if (page.id.empty() || s.pages_.contains(page.id)) {
                return true; // the tree leaves such rows out as well
            }
            page.title = textOf(r, c.title);
            page.src = textOf(r, c.src);
            page.path = c.path < 0 ? std::string() : trimmed(r, c.path);
            page.disk = c.disk < 0 ? std::string() : trimmed(r, c.disk);
            page.link = flagOf(r, c.link);
            page.navigation = flagOf(r, c.navigation);
            if (wanted(page.id)) {
                readLook(r, c, page);
            }
            std::string key = page.id;
            s.pages_.emplace(std::move(key), std::move(page));
            return true;
        });
    }

    {
        const auto table = openTable(projectFolder, storage::kHtml);
        const int id = required(table, "HTMLID");
        const int section = required(table, "SEKCEID");
        const int order = required(table, "PORADI");
        const int type = required(table, "TYP");
        const int templateName = table.fieldIndex("SABID");
        const int title = table.fieldIndex("POPIS");
        const int html = table.fieldIndex("HTML");
        table.scan([&](const dbf::Record& r) {
            SectionRecord row;
            row.page = trimmed(r, id);
            row.type = textOf(r, type);
            if (row.type == "h") {
                s.frameSetPages_.insert(row.page);
                if (s.mainSectionPage_.empty()) {
                    s.mainSectionPage_ = row.page;
                }
            }
            if (!wanted(row.page)) {
                return true;
            }
            row.id = r.integer(section).value_or(0);
            row.order = r.number(order).value_or(0);
            row.templateName = textOf(r, templateName);
            row.title = textOf(r, title);
            row.html = memoOf(r, html);
            s.sections_[row.page].push_back(std::move(row));
            return true;
        });
        for (auto& [page, rows] : s.sections_) {
            std::stable_sort(
                rows.begin(), rows.end(),
                [](const SectionRecord& a, const SectionRecord& b) { return a.order < b.order; });
        }
    }

    {
        const auto table = openTable(projectFolder, storage::kZbozi);
        const int id = required(table, "HTMLID");
        const int section = required(table, "SEKCEID");
        const auto at = [&](std::string_view name) { return table.fieldIndex(name); };
        const int order = at("PORADI"), type = at("TYP"), code = at("KOD"), name = at("NAZEV"),
                  nameFont = at("FONT_NAZ"), descriptionFont = at("FONT_POP"),
                  description = at("POPIS"), picture = at("OBRAZEK"), unit = at("MJ"),
                  round = at("ROUND"), price = at("P_CENA"), priceWithVat = at("P_CENA_DPH"),
                  discount = at("SLEVA"), maxQuantity = at("KS_MAX"), step = at("KS_KROK");
        const auto number = [](const dbf::Record& r, int col) {
            return col < 0 ? 0.0 : r.number(col).value_or(0);
        };
        table.scan([&](const dbf::Record& r) {
            SectionKey key{trimmed(r, id), r.integer(section).value_or(0)};
            if (!wanted(key.page)) {
                return true;
            }
            GoodsRecord g;
            g.type = textOf(r, type);
            g.code = textOf(r, code);
            g.name = textOf(r, name);
            g.nameFont = textOf(r, nameFont);
            g.descriptionFont = textOf(r, descriptionFont);
            g.description = memoOf(r, description);
            g.picture = picture < 0 ? std::string() : trimmed(r, picture);
            g.unit = textOf(r, unit);
            g.round = textOf(r, round);
            g.price = number(r, price);
            g.priceWithVat = number(r, priceWithVat);
            if (discount >= 0) {
                g.discount = r.number(discount);
            }
            g.maxQuantity = number(r, maxQuantity);
            g.step = number(r, step);
            g.order = number(r, order);
            s.goods_[std::move(key)].push_back(std::move(g));
            return true;
        });
        for (auto& [key, rows] : s.goods_) {
            std::stable_sort(
                rows.begin(), rows.end(),
                [](const GoodsRecord& a, const GoodsRecord& b) { return a.order < b.order; });
        }
    }

    s.byPosition_.reserve(tree.size());
    for (const site::PageNode* node : tree.preorder()) {
        s.byPosition_.push_back(s.page(node->id));
    }

    const auto readVariables = [&](const char* name, Variables& into) {
        const auto table = openTable(projectFolder, name);
        const int id = required(table, "HTMLID");
        const int key = required(table, "NAZEV");
        const int value = required(table, "HODNOTA");
        table.scan([&](const dbf::Record& r) {
            std::string page = trimmed(r, id);
            if (wanted(page)) {
                into[std::move(page)].push_back({r.text(key), r.text(value)});
            }
            return true;
        });
    };
    readVariables(storage::kPromSys, s.systemVariables_);
    readVariables(storage::kPromUsr, s.userVariables_);
    return s;
}

std::string SiteSnapshot::findMainSectionPage(const std::filesystem::path& projectFolder) {
    const auto table = openTable(projectFolder, storage::kHtml);
    const int id = required(table, "HTMLID");
    const int type = required(table, "TYP");
    std::string page;
    table.scan([&](const dbf::Record& r) {
        if (r.text(type) == "h") {
            page = trimmed(r, id);
            return false;
        }
        return true;
    });
    return page;
}

const PageRecord* SiteSnapshot::page(std::string_view id) const {
    const auto it = pages_.find(id);
    return it == pages_.end() ? nullptr : &it->second;
}

const std::vector<SectionRecord>& SiteSnapshot::sections(std::string_view pageId) const {
    static const std::vector<SectionRecord> none;
    const auto it = sections_.find(pageId);
    return it == sections_.end() ? none : it->second;
}

const std::vector<GoodsRecord>& SiteSnapshot::goods(const SectionKey& section) const {
    static const std::vector<GoodsRecord> none;
    const auto it = goods_.find(section);
    return it == goods_.end() ? none : it->second;
}

const std::vector<PageVariable>& SiteSnapshot::systemVariables(std::string_view pageId) const {
    static const std::vector<PageVariable> none;
    const auto it = systemVariables_.find(pageId);
    return it == systemVariables_.end() ? none : it->second;
}

const std::vector<PageVariable>& SiteSnapshot::userVariables(std::string_view pageId) const {
    static const std::vector<PageVariable> none;
    const auto it = userVariables_.find(pageId);
    return it == userVariables_.end() ? none : it->second;
}

bool SiteSnapshot::isFrameSetPage(std::string_view pageId) const {
    return frameSetPages_.contains(pageId);
}

} // namespace arkona::generator
