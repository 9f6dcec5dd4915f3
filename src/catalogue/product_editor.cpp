#include "catalogue/product_editor.h"

#include "base/codepage.h"
#include "base/dbf/table.h"
#include "base/error.h"
#include "base/locale.h"
#include "base/textcase.h"
#include "catalogue/code_set.h"
#include "catalogue/goods_codes.h"
#include "catalogue/goods_placing.h"
#include "catalogue/picture_files.h"
#include "catalogue/price_update.h"
#include "catalogue/rounding.h"
#include "catalogue/section_goods.h"
#include "catalogue/tables.h"
#include "storage/project_context.h"

#include <system_error>

namespace arkona::catalogue {

namespace fs = std::filesystem;

namespace {

RowPrices rowPrices(const ProductRow& row) {
    return {row.pCena, row.pCenaDph, row.pIdph, row.sleva, row.round};
}

void setRowPrices(ProductRow& row, const RowPrices& prices) {
    row.pCena = prices.pCena;
    row.pCenaDph = prices.pCenaDph;
    row.pIdph = prices.pIdph;
    row.sleva = prices.sleva;
    row.round = prices.round;
}

} // namespace

struct ProductEditor::State {
    ProductRow row;      // as edited
    ProductRow original; // as read (a new row: as started)
    ProductRef ref;      // where it was read from or stored; meaningless while new
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
    const SectionKey section{std::move(htmlId), sekceId};
    auto state = std::make_unique<State>();
    state->row = newProductRow(std::string(1, typ), section, nextPoradi(project, section));
    state->original = state->row;
    state->isNew = true;
    return ProductEditor(project, prompter, std::move(state), std::move(pageFolder));
}

std::optional<ProductEditor> ProductEditor::editRow(const storage::ProjectContext& project,
                                                    Prompter& prompter, std::string htmlId,
                                                    int sekceId, std::uint32_t recno,
                                                    std::string_view kod, int poradi,
                                                    fs::path pageFolder) {
    const ProductRef ref{recno, std::move(htmlId), sekceId, std::string(kod), poradi};
    auto stored = findProduct(project, ref);
    if (!stored) {
        return std::nullopt;
    }
    auto state = std::make_unique<State>();
    state->row = stored->row;
    state->original = stored->row;
    state->ref = stored->ref;
    state->isNew = false;
    return ProductEditor(project, prompter, std::move(state), std::move(pageFolder));
}

// ---------------------------------------------------------------- what the window shows

char ProductEditor::typ() const {
    const std::string& typ = state_->row.typ;
    return typ.empty() ? 'R' : typ[0];
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
    return state_->ref.recno;
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
    ProductRow& row = state_->row;
    row.kod = typedCode(text);
    if (row.kod.empty()) {
        okEnabled_ = false;
        return false;
    }
    if (const auto tooLong = setCodeProblem(row.typ, row.kod)) {
        prompter_.warning(*tooLong);
        okEnabled_ = false;
        return false;
    }
    okEnabled_ = true;
    if (!changed) {
        return false;
    }
    const PlacingTarget target{row.section(), {}, pageFolder_};
    NewCodeOutcome outcome = enterNewCode(project_, target, row.poradi, row.kod, prompter_);
    if (!outcome.accepted) {
        okEnabled_ = false;
        return false;
    }
    if (!outcome.copy) {
        return false;
    }
    // A set typed in by hand stays a set when it takes the catalogue's item. The breakdown of
    // a copied set opens here with the sets.
    if (isSet() && outcome.copy->typ == kTypeCatalogueGoods) {
        outcome.copy->typ = kTypeCatalogueSet;
    }
    row = std::move(*outcome.copy);
    return true;
}

// ---------------------------------------------------------------- storing

bool ProductEditor::changed() const {
    return state_->isNew || state_->row != state_->original;
}

bool ProductEditor::store() {
    if (!changed()) {
        return false;
    }
    if (state_->isNew) {
        state_->ref = insertProduct(project_, state_->row).ref;
        state_->isNew = false;
    } else {
        state_->ref = updateProduct(project_, state_->ref, state_->row);
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
    if (const auto fresh = findProduct(project_, state_->ref)) {
        setRowPrices(state_->row, rowPrices(fresh->row));
        setRowPrices(state_->original, rowPrices(fresh->row));
    }
    return CatalogueEdit::Updated;
}

} // namespace arkona::catalogue
