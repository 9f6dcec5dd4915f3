#include "catalogue/goods_codes.h"

#include "base/codepage.h"
#include "base/dbf/table.h"
#include "base/error.h"
#include "base/paths.h"
#include "base/textcase.h"
#include "catalogue/code_set.h"
#include "catalogue/tables.h"
#include "storage/project_context.h"
#include "storage/schema.h"

namespace arkona::catalogue {

namespace fs = std::filesystem;

namespace {

std::string utf8(const fs::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

// The rows of zbozi.dbf with the code, read in one pass: whether any has it, whether `section`
// itself has it, and the first that lies in another section.
struct PlacedCode {
    bool anywhere = false;
    bool here = false;
    std::optional<ProductRow> elsewhere;
};

PlacedCode findPlaced(const storage::ProjectContext& project, const SectionKey& section,
                      std::string_view code) {
    const auto table =
        dbf::Table::open(projectTable(project, storage::kZbozi), dbf::OpenMode::ReadOnly);
    const int kod = table.fieldIndex("KOD");
    table.field("KOD");
    const std::string key = CodeSet::key(code);
    PlacedCode placed;
    table.scan([&](const dbf::Record& r) {
        if (CodeSet::key(r.text(kod)) != key) {
            return true;
        }
        placed.anywhere = true;
        ProductRow row = readProductRow(r);
        if (row.section() == section) {
            placed.here = true;
        } else if (!placed.elsewhere) {
            placed.elsewhere = std::move(row);
        }
        return !placed.here;
    });
    return placed;
}

// The copy of another section's row: what describes and prices the goods, in this section.
ProductRow copyOfRow(const ProductRow& other, const SectionKey& section, int poradi) {
    ProductRow row = newProductRow(other.typ, section, poradi);
    row.kod = other.kod;
    row.nazev = other.nazev;
    row.popis = other.popis;
    row.obrazek = other.obrazek;
    row.pCena = other.pCena;
    row.pCenaDph = other.pCenaDph;
    row.pIdph = other.pIdph;
    row.idxSleva = other.idxSleva;
    row.sleva = other.sleva;
    row.fontNaz = other.fontNaz;
    row.fontPop = other.fontPop;
    // Without these the copy would publish unrounded and could not be ordered.
    row.round = other.round;
    row.ksMax = other.ksMax;
    row.ksKrok = other.ksKrok;
    row.mj = other.mj;
    row.odkaz = other.odkaz;
    return row;
}

// The reason of a taken code, then the copy offer when there is one.
NewCodeOutcome askAboutCode(const NewCodeCheck& check, Prompter& prompter) {
    NewCodeOutcome outcome;
    if (check.status == CodeStatus::Empty) {
        return outcome;
    }
    if (check.status == CodeStatus::Free) {
        outcome.accepted = true;
        return outcome;
    }
    prompter.warning(check.takenMessage);
    if (check.offer != CopyOffer::None && prompter.questionYesNo(kCopyOfferQuestion)) {
        outcome.accepted = true;
        outcome.copy = check.copy;
    }
    return outcome;
}

} // namespace

bool sameCode(std::string_view a, std::string_view b) {
    return CodeSet::key(a) == CodeSet::key(b);
}

std::string typedCode(std::string_view code) {
    return CodeSet::key(code);
}

std::optional<std::string> setCodeProblem(std::string_view typ, std::string_view code) {
    if (!isSetType(typ)) {
        return std::nullopt;
    }
    const std::string_view trimmed = text::trim(code);
    if (!text::canEncode(trimmed) || text::fromUtf8(trimmed).size() > kSetCodeWidth) {
        return std::string(kSetCodeTooLong);
    }
    return std::nullopt;
}

NewCodeCheck checkNewCode(const storage::ProjectContext& project, const SectionKey& section,
                          int poradi, std::string_view code) {
    NewCodeCheck check;
    if (text::trim(code).empty()) {
        return check;
    }
    const auto item = findItem(project, code);
    const PlacedCode placed = findPlaced(project, section, code);
    check.status = item              ? CodeStatus::InCatalogue
                   : placed.anywhere ? CodeStatus::InProducts
                                     : CodeStatus::Free;
    check.takenMessage = codeTakenMessage(check.status);
    if (item && !placed.anywhere) {
        check.offer = CopyOffer::CatalogueItem;
        check.copy =
            placedProduct(*item, section, poradi, kTypeCatalogueGoods, VatRates::of(project));
        if (const auto picture = itemPictureFile(project, item->item.obrazek)) {
            check.pictureSource = *picture;
            check.copy->obrazek = utf8(picture->filename());
        }
    } else if (placed.elsewhere && !placed.here) {
        // A code occurs once in a section: a section that holds it is offered nothing.
        check.offer = CopyOffer::OtherSection;
        check.copy = copyOfRow(*placed.elsewhere, section, poradi);
        if (!check.copy->obrazek.empty()) {
            try {
                const fs::path folder =
                    placingTarget(project, placed.elsewhere->section()).pageFolder;
                const fs::path file =
                    paths::resolve(folder, "\\" + std::string(text::trim(check.copy->obrazek)));
                std::error_code ec;
                if (fs::is_regular_file(file, ec)) {
                    check.pictureSource = file;
                    check.copy->obrazek = utf8(file.filename());
                }
            } catch (const Error&) {
                // The other row's page is gone: its picture cannot be found, the name stays.
            }
        }
    }
    return check;
}

NewCodeOutcome enterNewCode(const storage::ProjectContext& project, const SectionKey& section,
                            int poradi, std::string_view code, Prompter& prompter) {
    return askAboutCode(checkNewCode(project, section, poradi, code), prompter);
}

NewCodeOutcome enterNewCode(const storage::ProjectContext& project, const PlacingTarget& target,
                            int poradi, std::string_view code, Prompter& prompter) {
    const NewCodeCheck check = checkNewCode(project, target.section, poradi, code);
    NewCodeOutcome outcome = askAboutCode(check, prompter);
    if (outcome.copy && !check.pictureSource.empty()) {
        // A failed copy was shown; the new row then names no picture rather than a missing one.
        outcome.copy->obrazek =
            copyPictureToPage(check.pictureSource, target.pageFolder, false, prompter)
                .value_or(std::string());
    }
    return outcome;
}

} // namespace arkona::catalogue
