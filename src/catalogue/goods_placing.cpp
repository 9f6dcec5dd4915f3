#include "catalogue/goods_placing.h"

#include "base/dbf/table.h"
#include "base/error.h"
#include "base/paths.h"
#include "base/textcase.h"
#include "catalogue/derived_values.h"
#include "catalogue/picture_files.h"
#include "catalogue/rounding.h"
#include "catalogue/tables.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "storage/statements.h"

#include <system_error>
#include <unordered_map>

namespace arkona::catalogue {

namespace fs = std::filesystem;

namespace {

std::string utf8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

fs::path native(std::string_view utf8Text) {
    return fs::path(std::u8string(utf8Text.begin(), utf8Text.end()));
}

// What placing needs of the section: its codes (folded) and its largest PORADI, in one pass.
struct SectionState {
    CodeSet codes;
    int maxPoradi = 0;
};

SectionState readSectionState(const storage::ProjectContext& project, const SectionKey& section) {
    const auto table =
        dbf::Table::open(projectTable(project, storage::kZbozi), dbf::OpenMode::ReadOnly);
    const storage::RowFilter inSection(
        table, {{"HTMLID", section.htmlId}, {"SEKCEID", static_cast<double>(section.sekceId)}});
    const int kod = table.fieldIndex("KOD");
    const int poradi = table.fieldIndex("PORADI");
    table.field("KOD");
    table.field("PORADI");
    SectionState state;
    table.scan([&](const dbf::Record& r) {
        if (inSection(r)) {
            state.codes.add(r.text(kod));
            state.maxPoradi =
                std::max(state.maxPoradi, static_cast<int>(r.integer(poradi).value_or(0)));
        }
        return true;
    });
    return state;
}

} // namespace

PlacingTarget placingTarget(const storage::ProjectContext& project, const SectionKey& section) {
    const auto table =
        dbf::Table::open(projectTable(project, storage::kStruktur), dbf::OpenMode::ReadOnly);
    const storage::RowFilter page(table, {{"HTMLID", section.htmlId}});
    std::optional<PlacingTarget> target;
    table.scan([&](const dbf::Record& r) {
        if (!page(r)) {
            return true;
        }
        target = PlacingTarget{
            section, std::string(text::trimRight(r.text("POPIS"))),
            paths::resolve(project.siteFolder, std::string(text::trim(r.text("DISK"))))};
        return false;
    });
    if (!target) {
        throw Error("Stránka " + section.htmlId + " v projektu neexistuje!");
    }
    return *target;
}

std::string placingStatus(const std::string& itemName, const std::string& pageTitle) {
    return "Vkládám zboží \"" + itemName + "\" do stránky \"" + pageTitle + "\" ...";
}

std::string alreadyInSectionMessage(const std::string& code) {
    return "Zboží s kódem " + code + " již v produktové sekci existuje!";
}

ProductRow placedProduct(const StoredItem& stored, const SectionKey& section, int poradi,
                         std::string_view typ, const VatRates& rates) {
    const Item& item = stored.item;
    ProductRow row = newProductRow(typ, section, poradi);
    row.kod = item.kod;
    row.nazev = item.nazev;
    row.popis = stored.popis;
    const ItemDerived derived = deriveItem(item, rates);
    row.pCena = derived.P_CENA;
    row.pCenaDph = derived.P_CENA_DPH;
    row.pIdph = item.pIdph;
    row.round = roundingCodeForCopy(item.round);
    row.sleva = item.sleva;
    row.idxSleva = item.idxSleva;
    row.ksMax = 30;
    row.ksKrok = 1;
    row.mj = "ks";
    return row;
}

std::optional<fs::path> itemPictureFile(const storage::ProjectContext& project,
                                        const std::string& obrazek) {
    if (text::trim(obrazek).empty()) {
        return std::nullopt;
    }
    const fs::path file = itemPicturePath(pictureFolder(project), obrazek);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        return std::nullopt;
    }
    return file;
}

std::optional<std::string> copyPictureToPage(const fs::path& source, const fs::path& pageFolder,
                                             bool overwrite, Prompter& prompter) {
    const std::string name = utf8(source.filename());
    if (!overwrite) {
        if (copyPicture(source, pageFolder, name, kItemPictureExists, Answer::No, prompter) ==
            PictureCopy::Failed) {
            return std::nullopt;
        }
        return name;
    }
    std::error_code ec;
    const fs::path target = pageFolder / native(name);
    if (fs::exists(target, ec) && fs::equivalent(source, target, ec)) {
        return name;
    }
    fs::create_directories(pageFolder, ec);
    if (ec || !fs::copy_file(source, target, fs::copy_options::overwrite_existing, ec)) {
        prompter.error("Obrázek „" + utf8(source) + "“ nelze zkopírovat do složky „" +
                       utf8(pageFolder) + "“: " + ec.message());
        return std::nullopt;
    }
    return name;
}

PlacingResult placeItems(const storage::ProjectContext& project, const PlacingTarget& target,
                         PlacingMode mode, const std::vector<StoredItem>& marked,
                         Prompter& prompter, StatusLine& status) {
    PlacingResult result;
    if (marked.empty()) {
        prompter.warning(kNothingMarked);
        return result;
    }
    const std::string typ = mode == PlacingMode::Sets ? kTypeCatalogueSet : kTypeCatalogueGoods;
    const VatRates rates = VatRates::of(project);
    SectionState section = readSectionState(project, target.section);
    std::vector<ProductRow> rows;
    for (const StoredItem& item : marked) {
        status.show(placingStatus(item.item.nazev, target.pageTitle));
        if (section.codes.contains(item.item.kod)) {
            prompter.warning(alreadyInSectionMessage(item.item.kod));
            result.skipped.push_back(item.item.kod);
            continue;
        }
        if (text::trim(item.item.kod).empty()) {
            // Rows are told apart by their code; a row without one would be a heading.
            prompter.warning("Zboží \"" + item.item.nazev +
                             "\" nemá kód, do produktové sekce ho nelze vložit!");
            continue;
        }
        ProductRow row = placedProduct(item, target.section, section.maxPoradi + 1, typ, rates);
        if (const auto picture = itemPictureFile(project, item.item.obrazek)) {
            // A failed copy was shown; the row then names no picture rather than a missing one.
            row.obrazek = copyPictureToPage(*picture, target.pageFolder, true, prompter)
                              .value_or(std::string());
        }
        ++section.maxPoradi;
        section.codes.add(row.kod);
        rows.push_back(std::move(row));
    }
    if (rows.empty()) {
        return result;
    }
    auto table = dbf::Table::open(projectTable(project, storage::kZbozi));
    std::vector<dbf::Record> records;
    records.reserve(rows.size());
    for (const ProductRow& row : rows) {
        records.push_back(table.blankRecord());
        writeProductRow(row, records.back());
    }
    const std::uint32_t first = table.append(records);
    table.close();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const auto recno = first + static_cast<std::uint32_t>(i);
        result.rows.push_back({rows[i], ProductRef::of(rows[i], recno)});
    }
    result.added = static_cast<int>(rows.size());
    if (mode == PlacingMode::Sets) {
        result.firstSet = result.rows.front().ref;
    }
    prompter.information(kPlacedMessage);
    return result;
}

std::vector<StoredItem> itemsByCode(const storage::ProjectContext& project, const CodeSet& codes) {
    const auto table =
        dbf::Table::open(projectTable(project, storage::kKatalog), dbf::OpenMode::ReadOnly);
    std::unordered_map<std::string, StoredItem> found;
    found.reserve(codes.size());
    const int kod = table.fieldIndex("KOD");
    table.field("KOD");
    table.scan([&](const dbf::Record& r) {
        const std::string code = r.text(kod);
        if (codes.contains(code)) {
            found.try_emplace(CodeSet::key(code),
                              StoredItem{readItem(r), r.memo("POPIS"), r.recno()});
        }
        return true;
    });
    std::vector<StoredItem> out;
    out.reserve(found.size());
    for (const auto& code : codes.codes()) {
        const auto it = found.find(CodeSet::key(code));
        if (it != found.end()) {
            out.push_back(std::move(it->second));
            found.erase(it);
        }
    }
    return out;
}

} // namespace arkona::catalogue
