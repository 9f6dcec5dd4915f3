#pragma once

#include "site/page_tree.h"

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace arkona::generator {

// The navigation look of one tree level (L1_OM, L1_OV, L1_TXT ... L6_...).
struct LevelLook {
    std::string offPath; // picture of entries off the way to the current page
    std::string onPath;  // picture of the current page and its ancestors
    std::string font;    // opening font tag
};
inline constexpr int kLevels = 6;

// The margin and border columns in the order the body tag writes them.
inline constexpr std::array<const char*, 10> kMarginColumns = {
    "MRG_HEIGHT", "MRG_WIDTH", "TOP_MRG",  "LEFT_MRG",  "RIGHT_MRG",
    "BOTTOM_MRG", "TOP_BRD",   "LEFT_BRD", "RIGHT_BRD", "BOTTOM_BRD"};
inline constexpr int kNotSet = -1; // a blank or negative margin leaves its attribute out

// What generation reads of one row of struktur.dbf. Texts are as stored without the padding;
// PATH, DISK and VLASTNIK without blanks at either end. `complete` is false for a page whose
// header, footer and look were not read (a preview reads only the pages it writes); its
// navigation fields (id, title, src, path, navigation, link) are always there.
struct PageRecord {
    std::string id;    // HTMLID
    std::string title; // POPIS
    std::string src;   // SRC
    std::string path;  // PATH: "/a/b" or empty
    std::string disk;  // DISK: "\a\b" or empty
    bool link = false;
    bool navigation = false; // NAVIGACE: shown in the navigation column
    bool complete = false;

    std::string owner;  // VLASTNIK: URL path of the hosting frame-set page
    std::string header; // HD
    std::string footer; // FT
    std::string textColour, pageColour, background;              // TXT_COLOR, BGCOLOR, BACKGROUND
    std::string linkColour, visitedLinkColour, activeLinkColour; // LINK_C, VLINK_C, ALINK_C
    std::string font;                                            // TXT_FONT
    bool table = false;                                          // TAB: two-column layout
    std::string tableWidth;                                      // TAB_WIDTH
    std::string navigationColour;                                // TD1_C
    std::array<int, 10> margins{kNotSet, kNotSet, kNotSet, kNotSet, kNotSet,
                                kNotSet, kNotSet, kNotSet, kNotSet, kNotSet};
    std::array<LevelLook, kLevels> levels;
    int indent = 0; // TYPTREE
};

// One row of html.dbf.
struct SectionRecord {
    std::string page;         // HTMLID
    long long id = 0;         // SEKCEID
    double order = 0;         // PORADI
    std::string type;         // TYP: "t", "p", "o", "k", "h"
    std::string templateName; // SABID
    std::string title;        // POPIS
    std::string html;         // HTML (read for the pages the snapshot holds completely)
};

// One row of prom_sys.dbf or prom_usr.dbf.
struct PageVariable {
    std::string name;  // NAZEV
    std::string value; // HODNOTA
};

// Hashing for maps keyed by text that are looked up with a string_view.
struct TextHash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>()(s); }
};
template <class T> using TextMap = std::unordered_map<std::string, T, TextHash, std::equal_to<>>;
using TextSet = std::unordered_set<std::string, TextHash, std::equal_to<>>;

// One row of zbozi.dbf: a line of a product section.
struct GoodsRecord {
    std::string type;               // TYP: "K"/"R" goods, "N" heading, "E"/"S" set
    std::string code;               // KOD
    std::string name;               // NAZEV
    std::string nameFont;           // FONT_NAZ
    std::string descriptionFont;    // FONT_POP
    std::string description;        // POPIS
    std::string picture;            // OBRAZEK, trimmed
    std::string unit;               // MJ
    std::string round;              // ROUND
    double price = 0;               // P_CENA as stored
    double priceWithVat = 0;        // P_CENA_DPH as stored
    std::optional<double> discount; // SLEVA; nothing when blank
    double maxQuantity = 0;         // KS_MAX
    double step = 0;                // KS_KROK
    double order = 0;               // PORADI
};

// A product section's key, for what later parts keep per section (its goods).
struct SectionKey {
    std::string page;
    long long section = 0;
    bool operator==(const SectionKey&) const = default;
};
struct SectionKeyHash {
    size_t operator()(const SectionKey& k) const {
        return std::hash<std::string>()(k.page) ^ (std::hash<long long>()(k.section) << 1);
    }
};

// Everything a generator run reads from the project's tables, read once when the run starts
// and indexed by key, so that generating a page never scans a table: the page rows by HTMLID,
// the sections of each page in PORADI order, the variables of each page in table order, the
// pages that hold a main section. The page tree is the caller's (the open project's tree,
// renumbered before the run) and must outlive the snapshot.
//
// The product listing adds the goods of each product section here, keyed by SectionKey, and
// the templates a run reads; both follow the same rule: one pass over the table, then lookups.
class SiteSnapshot {
public:
    struct Options {
        // The pages to read completely (memos, look, sections, variables); nullopt for all.
        // Every page keeps its navigation fields either way.
        std::optional<TextSet> completePages;
    };

    // Reads struktur.dbf, html.dbf, zbozi.dbf, prom_sys.dbf and prom_usr.dbf of the project. A
    // table that cannot be read throws arkona::Error with its message.
    static SiteSnapshot read(const std::filesystem::path& projectFolder, const site::PageTree& tree,
                             const Options& options);
    static SiteSnapshot read(const std::filesystem::path& projectFolder,
                             const site::PageTree& tree) {
        return read(projectFolder, tree, Options{});
    }

    // The page of the first main section of html.dbf without reading anything else (the
    // preview reads only the pages it writes); empty when there is none.
    static std::string findMainSectionPage(const std::filesystem::path& projectFolder);

    const site::PageTree& tree() const { return *tree_; }
    // The row of a page; nullptr when the table has no live row with that HTMLID.
    const PageRecord* page(std::string_view id) const;
    // The row of a node of the tree, found by its place in the walk.
    const PageRecord* page(const site::PageNode& node) const {
        return byPosition_[tree_->position(node)];
    }
    size_t pageCount() const { return pages_.size(); }

    // The sections of a page in PORADI order (rows of equal PORADI in table order).
    const std::vector<SectionRecord>& sections(std::string_view pageId) const;
    // Variables of prom_sys.dbf and prom_usr.dbf of a page, in table order.
    const std::vector<PageVariable>& systemVariables(std::string_view pageId) const;
    const std::vector<PageVariable>& userVariables(std::string_view pageId) const;

    // The goods rows of a section in PORADI order (rows of equal PORADI in table order).
    const std::vector<GoodsRecord>& goods(const SectionKey& section) const;

    // A page that owns a section of type "h" is a frame-set page.
    bool isFrameSetPage(std::string_view pageId) const;
    // The page of the first main section in table order (the site's frame-set page); empty
    // when the project has none.
    const std::string& mainSectionPage() const { return mainSectionPage_; }

private:
    using Variables = TextMap<std::vector<PageVariable>>;

    const site::PageTree* tree_ = nullptr;
    TextMap<PageRecord> pages_;
    std::vector<const PageRecord*> byPosition_; // by the node's place in the tree's walk
    TextMap<std::vector<SectionRecord>> sections_;
    std::unordered_map<SectionKey, std::vector<GoodsRecord>, SectionKeyHash> goods_;
    Variables systemVariables_;
    Variables userVariables_;
    TextSet frameSetPages_;
    std::string mainSectionPage_;
};

} // namespace arkona::generator
