#include "catalogue/product_editor.h"

#include "base/codepage.h"
#include "base/dbf/table.h"
#include "base/error.h"
#include "base/locale.h"
#include "base/textcase.h"
#include "catalogue/code_set.h"
#include "catalogue/picture_files.h"
#include "catalogue/price_update.h"
#include "catalogue/rounding.h"
#include "catalogue/tables.h"
#include "storage/project_context.h"

#include <system_error>

namespace arkona::catalogue {

namespace fs = std::filesystem;

namespace {

// ---------------------------------------------------------------- the row (zbozi.dbf)

struct SectionKey {
    std::string htmlId;
    int sekceId = 0;
};

bool sameCode(std::string_view a, std::string_view b) {
    return CodeSet::key(a) == CodeSet::key(b);
}

struct GoodsRow {
    std::string htmlId;
    int sekceId = 0;
    int poradi = 0;
    std::string kod;
    std::string nazev;
    std::string popis;
    double pCena = 0;
    double pCenaDph = 0;
    std::string pIdph;
    int idxSleva = 0;
    double sleva = 0;
    char typ = 'R';
    std::string fontNaz;
    std::string fontPop;
    std::string obrazek;
    double ksMax = 0;
    double ksKrok = 0;
    std::string mj;
    std::string round;
    std::string odkaz;
    std::uint32_t recno = 0;

    bool operator==(const GoodsRow&) const = default;
};

bool sameGoodsRow(const GoodsRow& a, const GoodsRow& b) {
    return a == b;
}

SectionKey sectionOf(const GoodsRow& row) {
    return {row.htmlId, row.sekceId};
}

RowPrices rowPrices(const GoodsRow& row) {
    return {row.pCena, row.pCenaDph, row.pIdph, row.sleva, row.round};
}

void setRowPrices(GoodsRow& row, const RowPrices& prices) {
    row.pCena = prices.pCena;
    row.pCenaDph = prices.pCenaDph;
    row.pIdph = prices.pIdph;
    row.sleva = prices.sleva;
    row.round = prices.round;
}

fs::path goodsTable(const storage::ProjectContext& project) {
    return projectTable(project, "zbozi.dbf");
}

GoodsRow readGoodsRow(const dbf::Record& r) {
    GoodsRow row;
    row.htmlId = std::string(text::trim(r.text("HTMLID")));
    row.sekceId = static_cast<int>(r.integerOr("SEKCEID"));
    row.poradi = static_cast<int>(r.integerOr("PORADI"));
    row.kod = std::string(text::trim(r.text("KOD")));
    row.nazev = r.text("NAZEV");
    row.popis = r.memo("POPIS");
    row.pCena = r.numberOr("P_CENA");
    row.pCenaDph = r.numberOr("P_CENA_DPH");
    row.pIdph = std::string(text::trim(r.text("P_IDPH")));
    row.idxSleva = static_cast<int>(r.integerOr("IDX_SLEVA"));
    row.sleva = r.numberOr("SLEVA");
    const std::string typ = text::toUpper(text::trim(r.text("TYP")));
    row.typ = typ.empty() ? 'R' : typ[0];
    row.fontNaz = r.text("FONT_NAZ");
    row.fontPop = r.text("FONT_POP");
    row.obrazek = r.text("OBRAZEK");
    row.ksMax = r.numberOr("KS_MAX");
    row.ksKrok = r.numberOr("KS_KROK");
    row.mj = r.text("MJ");
    row.round = std::string(text::trim(r.text("ROUND")));
    row.odkaz = r.text("ODKAZ");
    row.recno = r.recno();
    return row;
}

void writeGoodsRow(const GoodsRow& row, dbf::Record& r) {
    r.setText("HTMLID", row.htmlId);
    r.setNumber("SEKCEID", row.sekceId);
    r.setNumber("PORADI", row.poradi);
    r.setText("KOD", row.kod);
    r.setText("NAZEV", row.nazev);
    r.setMemo("POPIS", row.popis);
    r.setNumber("P_CENA", row.pCena);
    r.setNumber("P_CENA_DPH", row.pCenaDph);
    r.setText("P_IDPH", row.pIdph);
    r.setNumber("IDX_SLEVA", row.idxSleva);
    r.setNumber("SLEVA", row.sleva);
    r.setText("TYP", std::string(1, row.typ));
    r.setText("FONT_NAZ", row.fontNaz);
    r.setText("FONT_POP", row.fontPop);
    r.setText("OBRAZEK", row.obrazek);
    r.setNumber("KS_MAX", row.ksMax);
    r.setNumber("KS_KROK", row.ksKrok);
    r.setText("MJ", row.mj);
    r.setText("ROUND", row.round);
    r.setText("ODKAZ", row.odkaz);
}

int nextPoradi(const storage::ProjectContext& project, const SectionKey& section) {
    const auto table = dbf::Table::open(goodsTable(project), dbf::OpenMode::ReadOnly);
    long long largest = 0;
    table.scan([&](const dbf::Record& r) {
        if (text::trim(r.text("HTMLID")) == section.htmlId &&
            r.integerOr("SEKCEID") == section.sekceId) {
            largest = std::max(largest, r.integerOr("PORADI"));
        }
        return true;
    });
    return static_cast<int>(largest + 1);
}

GoodsRow newGoodsRow(const storage::ProjectContext& project, const SectionKey& section, char typ) {
    GoodsRow row;
    row.htmlId = section.htmlId;
    row.sekceId = section.sekceId;
    row.poradi = nextPoradi(project, section);
    row.typ = typ;
    if (typ == 'N') {
        row.round = "0";
        return row;
    }
    row.pIdph = typ == 'S' ? "" : "0";
    row.ksMax = 30;
    row.ksKrok = 1;
    row.mj = "ks";
    row.round = "2";
    return row;
}

bool sameKey(const GoodsRow& row, const SectionKey& section, std::string_view kod, int poradi) {
    if (row.htmlId != section.htmlId || row.sekceId != section.sekceId) {
        return false;
    }
    return row.typ == 'N' ? row.poradi == poradi && row.kod.empty() : sameCode(row.kod, kod);
}

std::optional<GoodsRow> readGoodsRowAt(const storage::ProjectContext& project, std::uint32_t recno,
                                       const SectionKey& section, std::string_view kod,
                                       int poradi) {
    const auto table = dbf::Table::open(goodsTable(project), dbf::OpenMode::ReadOnly);
    if (recno >= table.recordCount()) {
        return std::nullopt;
    }
    const auto r = table.read(recno);
    if (r.deleted()) {
        return std::nullopt;
    }
    GoodsRow row = readGoodsRow(r);
    if (!sameKey(row, section, kod, poradi)) {
        return std::nullopt;
    }
    return row;
}

std::uint32_t insertGoodsRow(const storage::ProjectContext& project, const GoodsRow& row) {
    auto table = dbf::Table::open(goodsTable(project));
    auto r = table.blankRecord();
    writeGoodsRow(row, r);
    return table.append(r);
}

void updateGoodsRowAt(const storage::ProjectContext& project, const GoodsRow& original,
                      const GoodsRow& row) {
    auto table = dbf::Table::open(goodsTable(project));
    if (original.recno >= table.recordCount()) {
        throw Error("Update failed");
    }
    auto r = table.read(original.recno);
    if (r.deleted() ||
        !sameKey(readGoodsRow(r), sectionOf(original), original.kod, original.poradi)) {
        throw Error("Update failed");
    }
    writeGoodsRow(row, r);
    table.update(r);
}

const char* codeWidthMessage(char typ, const std::string& kod) {
    if ((typ == 'S' || typ == 'E') && text::fromUtf8(kod).size() > 50) {
        return "Kód sestavy může mít nejvýše 50 znaků!";
    }
    return nullptr;
}

inline constexpr const char* kCopyOffer = "Chcete zkopírovat nalezené zboží do této sekce?";

// The first row of zbozi.dbf with the code (any page, any section).
std::optional<GoodsRow> firstRowWithCode(const storage::ProjectContext& project,
                                         std::string_view kod) {
    const auto table = dbf::Table::open(goodsTable(project), dbf::OpenMode::ReadOnly);
    std::optional<GoodsRow> found;
    table.scan([&](const dbf::Record& r) {
        if (sameCode(r.text("KOD"), kod)) {
            found = readGoodsRow(r);
        }
        return !found;
    });
    return found;
}

// The first row with the code in another section than `section` (another page, or another
// section of this page).
std::optional<GoodsRow> rowElsewhere(const storage::ProjectContext& project, std::string_view kod,
                                     const SectionKey& section) {
    const auto table = dbf::Table::open(goodsTable(project), dbf::OpenMode::ReadOnly);
    std::optional<GoodsRow> found;
    table.scan([&](const dbf::Record& r) {
        if (sameCode(r.text("KOD"), kod) &&
            (std::string(text::trim(r.text("HTMLID"))) != section.htmlId ||
             r.integerOr("SEKCEID") != section.sekceId)) {
            found = readGoodsRow(r);
        }
        return !found;
    });
    return found;
}

// The copy offers of a taken code typed into a new row: the catalogue item when no section
// holds its code yet, else the row of another section. Nothing when there is nothing to offer or
// the user declines.
std::optional<GoodsRow> offerCopy(const storage::ProjectContext& project, Prompter& prompter,
                                  const GoodsRow& row, const fs::path& pageFolder) {
    if (const auto stored = findItem(project, row.kod);
        stored && !firstRowWithCode(project, row.kod)) {
        if (!prompter.questionYesNo(kCopyOffer)) {
            return std::nullopt;
        }
        // Filled as placing fills it, so the row sells at the item's price at once.
        const Item& item = stored->item;
        const ItemDerived prices = deriveItem(item, VatRates::of(project));
        GoodsRow copy;
        copy.htmlId = row.htmlId;
        copy.sekceId = row.sekceId;
        copy.poradi = row.poradi;
        copy.kod = std::string(text::trim(item.kod));
        copy.nazev = item.nazev;
        copy.popis = stored->popis;
        copy.pCena = prices.P_CENA;
        copy.pCenaDph = prices.P_CENA_DPH;
        copy.pIdph = item.pIdph;
        copy.idxSleva = item.idxSleva;
        copy.sleva = item.sleva;
        copy.round = roundingCodeForCopy(item.round);
        // A set typed in by hand stays a set when it takes the catalogue's set.
        copy.typ = row.typ == 'S' ? 'E' : 'K';
        copy.ksMax = 30;
        copy.ksKrok = 1;
        copy.mj = "ks";
        const std::string picture(text::trim(item.obrazek));
        if (!picture.empty()) {
            const fs::path file = itemPicturePath(pictureFolder(project), picture);
            std::error_code ec;
            if (fs::is_regular_file(file, ec)) {
                const fs::path name = file.filename();
                const auto u8 = name.u8string();
                const std::string utf8Name(u8.begin(), u8.end());
                if (copyPicture(file, pageFolder, utf8Name, kItemPictureExists, Answer::No,
                                prompter) != PictureCopy::Failed) {
                    copy.obrazek = utf8Name;
                }
            }
        }
        return copy;
    }
    if (const auto other = rowElsewhere(project, row.kod, sectionOf(row))) {
        if (!prompter.questionYesNo(kCopyOffer)) {
            return std::nullopt;
        }
        GoodsRow copy = row;
        copy.kod = other->kod;
        copy.nazev = other->nazev;
        copy.popis = other->popis;
        copy.obrazek = other->obrazek;
        copy.pCena = other->pCena;
        copy.pCenaDph = other->pCenaDph;
        copy.pIdph = other->pIdph;
        copy.idxSleva = other->idxSleva;
        copy.sleva = other->sleva;
        copy.fontNaz = other->fontNaz;
        copy.fontPop = other->fontPop;
        copy.typ = other->typ;
        // Its rounding too: the copied prices publish as they do there.
        copy.round = other->round;
        return copy;
    }
    return std::nullopt;
}

} // namespace

struct ProductEditor::State {
    GoodsRow row;      // as edited
    GoodsRow original; // as read (a new row: as started)
    bool isNew = true;
};

ProductEditor::ProductEditor(const storage::ProjectContext& project, Prompter& prompter,
                             std::unique_ptr<State> state, fs::path pageFolder)
    : project_(project), prompter_(prompter), rules_(VatRates::of(project), prompter),
      state_(std::move(state)), pageFolder_(std::move(pageFolder)) {
    okEnabled_ = !codeEditable() || !text::trim(state_->row.kod).empty();
}

ProductEditor::ProductEditor(ProductEditor&&) noexcept = default;
ProductEditor::~ProductEditor() = default;

ProductEditor ProductEditor::newRow(const storage::ProjectContext& project, Prompter& prompter,
                                    std::string htmlId, int sekceId, char typ,
                                    fs::path pageFolder) {
    auto state = std::make_unique<State>();
    state->row = newGoodsRow(project, SectionKey{std::move(htmlId), sekceId}, typ);
    state->original = state->row;
    state->isNew = true;
    return ProductEditor(project, prompter, std::move(state), std::move(pageFolder));
}

std::optional<ProductEditor> ProductEditor::editRow(const storage::ProjectContext& project,
                                                    Prompter& prompter, std::string htmlId,
                                                    int sekceId, std::uint32_t recno,
                                                    std::string_view kod, int poradi,
                                                    fs::path pageFolder) {
    auto row = readGoodsRowAt(project, recno, SectionKey{std::move(htmlId), sekceId}, kod, poradi);
    if (!row) {
        return std::nullopt;
    }
    auto state = std::make_unique<State>();
    state->row = *row;
    state->original = *row;
    state->isNew = false;
    return ProductEditor(project, prompter, std::move(state), std::move(pageFolder));
}

// ---------------------------------------------------------------- what the window shows

char ProductEditor::typ() const {
    return state_->row.typ;
}
bool ProductEditor::isNew() const {
    return state_->isNew;
}
const std::string& ProductEditor::kod() const {
    return state_->row.kod;
}
const std::string& ProductEditor::nazev() const {
    return state_->row.nazev;
}
const std::string& ProductEditor::popis() const {
    return state_->row.popis;
}
const std::string& ProductEditor::obrazek() const {
    return state_->row.obrazek;
}
const std::string& ProductEditor::odkaz() const {
    return state_->row.odkaz;
}
const std::string& ProductEditor::fontNaz() const {
    return state_->row.fontNaz;
}
const std::string& ProductEditor::fontPop() const {
    return state_->row.fontPop;
}
const std::string& ProductEditor::mj() const {
    return state_->row.mj;
}
int ProductEditor::poradi() const {
    return state_->row.poradi;
}
std::uint32_t ProductEditor::recno() const {
    return state_->row.recno;
}
RowPrices ProductEditor::prices() const {
    return rowPrices(state_->row);
}

std::string ProductEditor::title() const {
    if (isHeading()) {
        return "Nadpis v produktové sekci";
    }
    return std::string(isSet() ? "Sestava v produktové sekci" : "Zboží v produktové sekci") +
           " - " + std::string(text::trim(kod())) + ", " + nazev();
}

int ProductEditor::vatPosition() const {
    return listPosition(vatCode(prices().pIdph));
}

// ---------------------------------------------------------------- fields

void ProductEditor::setName(std::string text) {
    state_->row.nazev = std::move(text);
}
void ProductEditor::setDescription(std::string text) {
    state_->row.popis = std::move(text);
}
void ProductEditor::setUnit(std::string text) {
    state_->row.mj = std::move(text);
}
void ProductEditor::setLink(std::string anchor) {
    state_->row.odkaz = std::move(anchor);
}
void ProductEditor::setFontNaz(std::string tag) {
    state_->row.fontNaz = std::move(tag);
}
void ProductEditor::setFontPop(std::string tag) {
    state_->row.fontPop = std::move(tag);
}

bool ProductEditor::leaveQuantity(QuantityField field, std::string_view text, bool edited) {
    if (!edited) {
        return true;
    }
    const auto value = Locale::current().parseNumber(text);
    if (!value) {
        prompter_.warning("„" + std::string(text::trim(text)) + "“ není platná číselná hodnota!");
        return false;
    }
    if (*value < 0) {
        prompter_.warning(kNegativeValue);
        return false;
    }
    (field == QuantityField::KS_MAX ? state_->row.ksMax : state_->row.ksKrok) = *value;
    return true;
}

std::string ProductEditor::quantityText(QuantityField field) const {
    return Locale::current().formatGeneral(field == QuantityField::KS_MAX ? state_->row.ksMax
                                                                          : state_->row.ksKrok);
}

// ---------------------------------------------------------------- prices

Outcome ProductEditor::leavePrice(RowPriceField field, std::string_view text, bool edited) {
    if (!edited || !pricesEditable()) {
        return {};
    }
    const auto value = Locale::current().parseNumber(text);
    if (!value) {
        prompter_.warning("„" + std::string(text::trim(text)) + "“ není platná číselná hodnota!");
        return {false, priceFieldOf(field)};
    }
    RowPrices prices = rowPrices(state_->row);
    const Outcome outcome = rules_.enter(prices, field, *value);
    setRowPrices(state_->row, prices);
    return outcome;
}

void ProductEditor::chooseVatCode(int position) {
    if (!pricesEditable()) {
        return;
    }
    RowPrices prices = rowPrices(state_->row);
    rules_.chooseVatCode(prices, position);
    setRowPrices(state_->row, prices);
}

void ProductEditor::chooseRounding(const std::string& code) {
    if (!pricesEditable()) {
        return;
    }
    state_->row.round = code;
}

// ---------------------------------------------------------------- picture

std::optional<fs::path> ProductEditor::pictureFile() const {
    const std::string name(text::trim(obrazek()));
    if (name.empty()) {
        return std::nullopt;
    }
    const fs::path file = itemPicturePath(pageFolder_, name);
    std::error_code ec;
    if (!fs::is_regular_file(file, ec)) {
        return std::nullopt;
    }
    return file;
}

bool ProductEditor::choosePicture(const fs::path& chosen) {
    auto name = itemPicture(chosen, pageFolder_, prompter_);
    if (!name) {
        return false;
    }
    state_->row.obrazek = std::move(*name);
    return true;
}

void ProductEditor::removePicture() {
    state_->row.obrazek.clear();
}

// ---------------------------------------------------------------- code

bool ProductEditor::leaveCode(std::string_view text, bool changed) {
    if (!codeEditable()) {
        return false;
    }
    GoodsRow& row = state_->row;
    row.kod = text::toUpper(text::trim(text));
    if (row.kod.empty()) {
        okEnabled_ = false;
        return false;
    }
    if (const char* tooLong = codeWidthMessage(row.typ, row.kod)) {
        prompter_.warning(tooLong);
        okEnabled_ = false;
        return false;
    }
    okEnabled_ = true;
    if (!changed) {
        return false;
    }
    const CodeStatus status = codeStatus(project_, row.kod);
    if (status == CodeStatus::Free) {
        return false;
    }
    if (const char* taken = codeTakenMessage(status)) {
        prompter_.warning(taken);
    }
    if (auto copy = offerCopy(project_, prompter_, row, pageFolder_)) {
        // The breakdown of a copied set opens here with the sets.
        row = std::move(*copy);
        return true;
    }
    okEnabled_ = false;
    return false;
}

// ---------------------------------------------------------------- storing

bool ProductEditor::changed() const {
    return state_->isNew || !sameGoodsRow(state_->row, state_->original);
}

bool ProductEditor::store() {
    if (!changed()) {
        return false;
    }
    if (state_->isNew) {
        state_->row.recno = insertGoodsRow(project_, state_->row);
        state_->isNew = false;
    } else {
        updateGoodsRowAt(project_, state_->original, state_->row);
    }
    state_->original = state_->row;
    okEnabled_ = true;
    return true;
}

ProductEditor::CatalogueEdit ProductEditor::editCataloguePrice(const ItemEditorCall& editItem,
                                                               Progress& progress) {
    if (changed()) {
        if (!prompter_.questionYesNo(kSaveChangesQuestion)) {
            return CatalogueEdit::Declined;
        }
        store();
    }
    const auto stored = findItem(project_, kod());
    if (!stored) {
        return CatalogueEdit::NotInCatalogue;
    }
    const auto edited = editItem(*stored);
    if (!edited) {
        return CatalogueEdit::Cancelled;
    }
    updateItem(project_, stored->recno, stored->item.kod, edited->item, edited->popis);
    RecalcProdKod(project_, edited->item, CodeSet{kod()}, progress);
    // The row takes the new prices; whatever else was edited since is kept.
    const auto fresh = readGoodsRowAt(project_, recno(), sectionOf(state_->original),
                                      state_->original.kod, state_->original.poradi);
    if (fresh) {
        setRowPrices(state_->row, rowPrices(*fresh));
        setRowPrices(state_->original, rowPrices(*fresh));
    }
    return CatalogueEdit::Updated;
}

} // namespace arkona::catalogue
