#include "site/page_look.h"

#include "base/error.h"
#include "base/textcase.h"
#include "site/page_look_colour.h"
#include "site/page_look_picture.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "storage/statements.h"

#include <algorithm>

namespace arkona::site {

namespace {

constexpr std::array<MarginSetting, 6> kOuterMargins = {{
    {"MRG_WIDTH", "šířka rámu", "MARGINWIDTH"},
    {"MRG_HEIGHT", "výška rámu", "MARGINHEIGHT"},
    {"TOP_MRG", "horní okraj", "TOPMARGIN"},
    {"LEFT_MRG", "levý okraj", "LEFTMARGIN"},
    {"BOTTOM_MRG", "dolní okraj", "BOTTOMMARGIN"},
    {"RIGHT_MRG", "pravý okraj", "RIGHTMARGIN"},
}};

constexpr std::array<MarginSetting, 4> kBorders = {{
    {"TOP_BRD", "TOPBORDER", "TOPBORDER"},
    {"LEFT_BRD", "LEFTBORDER", "LEFTBORDER"},
    {"BOTTOM_BRD", "BOTTOMBORDER", "BOTTOMBORDER"},
    {"RIGHT_BRD", "RIGHTBORDER", "RIGHTBORDER"},
}};

constexpr std::array<MarginSetting, 4> kInnerSpacing = {{
    {"TOP_PAD", "TOPPADDING", "TOPPADDING"},
    {"LEFT_PAD", "LEFTPADDING", "LEFTPADDING"},
    {"BOTTOM_PAD", "BOTTOMPADDING", "BOTTOMPADDING"},
    {"RIGHT_PAD", "RIGHTPADDING", "RIGHTPADDING"},
}};

constexpr std::array<const char*, kNavigationLevels> kLevelCaptions = {
    "Nadpis", "Podtitulek 1", "Podtitulek 2", "Podtitulek 3", "Podtitulek 4", "Podtitulek 5"};

std::size_t columnWidth(std::string_view column) {
    const auto* c = storage::tableSchema(storage::kStruktur).column(column);
    return c ? static_cast<std::size_t>(c->field.width) : 0;
}

// Runs the setters of one edit of the page row and writes it; a failure leaves the row as stored.
template <class Set> void writeRow(storage::DataView& view, Set set) {
    try {
        set();
        view.post();
    } catch (...) {
        view.cancel();
        throw;
    }
}

} // namespace

const std::array<MarginSetting, 6>& outerMargins() {
    return kOuterMargins;
}
const std::array<MarginSetting, 4>& borders() {
    return kBorders;
}
const std::array<MarginSetting, 4>& innerSpacing() {
    return kInnerSpacing;
}

NavigationLevel navigationLevel(int level) {
    level = std::clamp(level, 1, kNavigationLevels);
    const std::string l = "L" + std::to_string(level);
    return {l + "_OM", l + "_OV", l + "_TXT", kLevelCaptions[static_cast<std::size_t>(level - 1)]};
}

PageLook::PageLook(storage::TData2& data, const storage::ProjectContext& context)
    : data_(data), context_(context) {}

bool PageLook::hasPage() const {
    return context_.projectOpen && data_.qStruktur.isOpen() && !data_.qStruktur.isEmpty();
}

const dbf::Record& PageLook::page() const {
    return data_.qStruktur.current();
}

std::string PageLook::text(std::string_view column) const {
    return std::string(text::trim(page().text(column)));
}

std::string PageLook::memo(std::string_view column) const {
    return page().memo(column);
}

bool PageLook::flag(std::string_view column) const {
    return page().isTrue(column);
}

int PageLook::margin(std::string_view column) const {
    const auto v = page().integer(column);
    return v ? static_cast<int>(std::clamp<long long>(*v, kMarginNotSet, kMarginMax))
             : kMarginNotSet;
}

int PageLook::indent() const {
    return static_cast<int>(std::clamp<long long>(page().integerOr("TYPTREE", 0), 0, kIndentMax));
}

NavigationWidth PageLook::navigationWidth() const {
    return parseNavigationWidth(page().text("TAB_WIDTH"));
}

std::string PageLook::sourcePath() const {
    return text("PATH") + "/" + text("SRC") + ".htm";
}

std::filesystem::path PageLook::picture(std::string_view column) const {
    return existingPicture(context_.siteFolder, text(column));
}

void PageLook::store(std::string_view column, const std::string& value) {
    if (text::trimRight(page().text(column)) == text::trimRight(value)) {
        return;
    }
    auto& v = data_.qStruktur;
    writeRow(v, [&] { v.setText(column, value); });
}

void PageLook::writeText(std::string_view column, std::string_view value) {
    store(column, std::string(value));
}

void PageLook::writeMemo(std::string_view column, std::string_view value) {
    if (page().memo(column) == value) {
        return;
    }
    auto& v = data_.qStruktur;
    writeRow(v, [&] { v.setMemo(column, value); });
}

void PageLook::writeFlag(std::string_view column, bool value) {
    if (page().logical(column) == value) {
        return;
    }
    auto& v = data_.qStruktur;
    writeRow(v, [&] { v.setLogical(column, value); });
}

std::string PageLook::leaveColourField(std::string_view column, std::string_view typed) {
    if (column == kNavigationColour && text::trim(typed).empty()) {
        // Black would hide the column's "no colour"; the stored colour stays and is shown.
        return text(column);
    }
    const std::string value = normaliseColour(typed);
    store(column, value);
    return value;
}

void PageLook::writeColour(std::string_view column, std::string_view value) {
    store(column, normaliseColour(value));
}

void PageLook::writeMargin(std::string_view column, int value) {
    value = std::clamp(value, kMarginNotSet, kMarginMax);
    if (page().integer(column) == value) {
        return;
    }
    auto& v = data_.qStruktur;
    writeRow(v, [&] { v.setNumber(column, value); });
}

void PageLook::writeIndent(int value) {
    value = std::clamp(value, 0, kIndentMax);
    if (page().integer("TYPTREE") == value) {
        return;
    }
    auto& v = data_.qStruktur;
    writeRow(v, [&] { v.setNumber("TYPTREE", value); });
}

void PageLook::writeNavigationWidth(NavigationWidth width) {
    store("TAB_WIDTH", formatNavigationWidth(width));
}

void PageLook::writeBackgroundProperties(std::string_view value) {
    store("BGPROP", std::string(text::trim(value)));
}

std::string PageLook::choosePicture(std::string_view column, const std::filesystem::path& file) {
    page(); // no page, no copy
    const std::string name = copyIntoImages(context_.siteFolder, file, columnWidth(column));
    store(column, name);
    return name;
}

void PageLook::clearPicture(std::string_view column) {
    store(column, "");
}

void PageLook::writeOwner(std::string_view pageId) {
    const auto table =
        dbf::Table::open(data_.tableFile(storage::kStruktur), dbf::OpenMode::ReadOnly);
    const auto rows = storage::findRows(table, {{"HTMLID", std::string(pageId)}});
    if (rows.empty()) {
        throw Error("Stránka " + std::string(pageId) + " nebyla nalezena.");
    }
    const auto owner = table.read(rows.front());
    store("VLASTNIK", std::string(text::trim(owner.text("PATH"))) + "/" +
                          std::string(text::trim(owner.text("SRC"))) + ".htm");
}

void PageLook::clearOwner() {
    store("VLASTNIK", "");
}

} // namespace arkona::site
