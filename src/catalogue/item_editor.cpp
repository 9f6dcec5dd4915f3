#include "catalogue/item_editor.h"

#include "base/textcase.h"
#include "catalogue/picture_files.h"

namespace arkona::catalogue {

namespace {

PriceField priceField(EditorField field) {
    switch (field) {
    case EditorField::N_CENA:
        return PriceField::N_CENA;
    case EditorField::N_CENA_DPH:
        return PriceField::N_CENA_DPH;
    case EditorField::D_CENA:
        return PriceField::D_CENA;
    case EditorField::D_CENA_DPH:
        return PriceField::D_CENA_DPH;
    case EditorField::MARZE:
        return PriceField::MARZE;
    case EditorField::MARZE_KC:
        return PriceField::MARZE_KC;
    case EditorField::P_CENA:
        return PriceField::P_CENA;
    case EditorField::P_CENA_DPH:
        return PriceField::P_CENA_DPH;
    case EditorField::SLEVA:
        return PriceField::SLEVA;
    case EditorField::SLEVA_KC:
        return PriceField::SLEVA_KC;
    case EditorField::P_0:
        return PriceField::P_0;
    case EditorField::P_L:
        return PriceField::P_L;
    case EditorField::P_H:
        return PriceField::P_H;
    case EditorField::L:
        return PriceField::L;
    case EditorField::H:
        break;
    }
    return PriceField::H;
}

} // namespace

bool sameItem(const Item& a, const Item& b) {
    return a.skupId == b.skupId && a.distId == b.distId && a.kod == b.kod && a.nazev == b.nazev &&
           a.nCena == b.nCena && a.nCenaDph == b.nCenaDph && a.nIdph == b.nIdph &&
           a.dCena == b.dCena && a.dCenaDph == b.dCenaDph && a.marze == b.marze &&
           a.pIdph == b.pIdph && a.p0 == b.p0 && a.pL == b.pL && a.pH == b.pH &&
           a.datNUpd == b.datNUpd && a.datPUpd == b.datPUpd && a.datZUpd == b.datZUpd &&
           a.idxSleva == b.idxSleva && a.sleva == b.sleva && a.hold0 == b.hold0 &&
           a.holdL == b.holdL && a.holdH == b.holdH && a.round == b.round && a.recNc == b.recNc &&
           a.recDc == b.recDc && a.recM == b.recM && a.obrazek == b.obrazek;
}

ItemEditor::ItemEditor(StoredItem item, Options options, VatRates rates, Prompter& prompter,
                       Date today, CodeCheck codeCheck)
    : original_(item), item_(std::move(item.item)), popis_(std::move(item.popis)),
      options_(options), ops_(std::move(rates), prompter, today), prompter_(prompter),
      today_(today), codeCheck_(std::move(codeCheck)) {
    okEnabled_ = !codeEditable();
}

bool ItemEditor::changed() const {
    return !sameItem(item_, original_.item) || popis_ != original_.popis;
}

double ItemEditor::shownValue(EditorField field) const {
    const ItemDerived d = derived();
    switch (field) {
    case EditorField::N_CENA:
        return item_.nCena;
    case EditorField::N_CENA_DPH:
        return item_.nCenaDph;
    case EditorField::D_CENA:
        return item_.dCena;
    case EditorField::D_CENA_DPH:
        return item_.dCenaDph;
    case EditorField::MARZE:
        return item_.marze;
    case EditorField::MARZE_KC:
        return d.MARZE_KC;
    case EditorField::P_CENA:
        return d.P_CENA;
    case EditorField::P_CENA_DPH:
        return d.P_CENA_DPH;
    case EditorField::SLEVA:
        return item_.sleva;
    case EditorField::SLEVA_KC:
        return d.SLEVA_KC;
    case EditorField::P_0:
        return item_.p0;
    case EditorField::P_L:
        return item_.pL;
    case EditorField::P_H:
        return item_.pH;
    case EditorField::L:
        return d.L;
    case EditorField::H:
        break;
    }
    return d.H;
}

std::string ItemEditor::shownText(EditorField field) const {
    return formatAmount(shownValue(field));
}

Outcome ItemEditor::leave(EditorField field, std::string_view text, bool edited) {
    const auto value = Locale::current().parseNumber(text);
    if (!value) {
        if (!edited) {
            return {};
        }
        prompter_.warning("„" + std::string(text::trim(text)) + "“ není platná číselná hodnota!");
        return {false, priceField(field)};
    }
    if (!edited) {
        // Leaving the sale price with a valid value dates it even unchanged.
        if (field == EditorField::P_CENA || field == EditorField::P_CENA_DPH) {
            return ops_.RecalcP_Cena2(item_, std::nullopt);
        }
        return {};
    }
    const double v = *value;
    switch (field) {
    case EditorField::N_CENA:
        return ops_.RecalcN_Cena(item_, PriceSide::Net, v);
    case EditorField::N_CENA_DPH:
        return ops_.RecalcN_Cena(item_, PriceSide::Gross, v);
    case EditorField::D_CENA:
        return ops_.RecalcD_Cena(item_, PriceSide::Net, v);
    case EditorField::D_CENA_DPH:
        return ops_.RecalcD_Cena(item_, PriceSide::Gross, v);
    case EditorField::MARZE:
        return ops_.RecalcMarze(item_, MarginEntry::Percent, v);
    case EditorField::MARZE_KC:
        return ops_.RecalcMarze(item_, MarginEntry::Amount, v);
    case EditorField::P_CENA:
        return ops_.RecalcP_Cena2(item_, PriceOperations::SaleEntry{PriceSide::Net, v});
    case EditorField::P_CENA_DPH:
        return ops_.RecalcP_Cena2(item_, PriceOperations::SaleEntry{PriceSide::Gross, v});
    case EditorField::SLEVA:
        return ops_.enterDiscount(item_, v);
    case EditorField::SLEVA_KC:
        return ops_.enterDiscountAmount(item_, v);
    case EditorField::P_0:
        return ops_.RecalcRozpis(item_, SplitEntry::P_0, v);
    case EditorField::P_L:
        return ops_.RecalcRozpis(item_, SplitEntry::P_L, v);
    case EditorField::P_H:
        return ops_.RecalcRozpis(item_, SplitEntry::P_H, v);
    case EditorField::L:
        return ops_.RecalcRozpis(item_, SplitEntry::L, v);
    case EditorField::H:
        break;
    }
    return ops_.RecalcRozpis(item_, SplitEntry::H, v);
}

void ItemEditor::leaveCode(std::string_view text) {
    if (!codeEditable()) {
        return;
    }
    item_.kod = text::toUpper(text::trim(text));
    const CodeStatus status = item_.kod.empty() ? CodeStatus::Empty
                              : codeCheck_      ? codeCheck_(item_.kod)
                                                : CodeStatus::Free;
    if (const char* taken = codeTakenMessage(status)) {
        prompter_.warning(taken);
    }
    okEnabled_ = status == CodeStatus::Free;
}

Outcome ItemEditor::setPurchaseCode(int position) {
    return ops_.changePurchaseCode(item_, codeAtListPosition(position), options_.newItem);
}

Outcome ItemEditor::setSaleCode(int position) {
    return ops_.changeSaleCode(item_, codeAtListPosition(position));
}

Outcome ItemEditor::setHold(PricePart part, bool on) {
    return ops_.setHold(item_, part, on);
}

Outcome ItemEditor::recountMargin() {
    return ops_.recountMarginFromSale(item_);
}

Outcome ItemEditor::recountSale() {
    return ops_.recountSaleFromMargin(item_);
}

bool ItemEditor::choosePicture(const std::filesystem::path& chosen,
                               const std::filesystem::path& pictureFolder) {
    const auto obrazek = itemPicture(chosen, pictureFolder, prompter_);
    if (!obrazek) {
        return false;
    }
    item_.obrazek = *obrazek;
    return true;
}

ItemEditor::OkResult ItemEditor::ok() {
    if (!changed()) {
        return {Closing::Storno};
    }
    if (text::trim(item_.kod).empty()) {
        prompter_.warning(kNoCode);
        return {Closing::StayOpen, true, false};
    }
    if (text::trim(item_.nazev).empty()) {
        prompter_.warning(kNoName);
        return {Closing::StayOpen, false, true};
    }
    item_.datZUpd = today_;
    return {Closing::Ok};
}

} // namespace arkona::catalogue
