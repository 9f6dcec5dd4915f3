#pragma once

#include "base/locale.h"
#include "base/prompter.h"
#include "catalogue/item.h"
#include "catalogue/vat.h"

#include <optional>
#include <string>

namespace arkona::catalogue {

// The fields of the item editor an operation can send the focus back to.
enum class PriceField {
    None,
    N_CENA,
    N_CENA_DPH,
    D_CENA,
    D_CENA_DPH,
    MARZE,
    MARZE_KC,
    P_CENA,
    P_CENA_DPH,
    P_0,
    P_L,
    P_H,
    L,
    H,
    SLEVA,
    SLEVA_KC,
    HOLD_0,
    HOLD_L,
    HOLD_H,
};

// What an operation did with an entry: `accepted` false when it was refused (the item is then as
// before, except where a refusal resets a field); `focus` the field that gets the focus after a
// message, None when nothing was said.
struct Outcome {
    bool accepted = true;
    PriceField focus = PriceField::None;
};

enum class PricePart { P_0, P_L, P_H };
enum class PriceSide { Net, Gross };
enum class MarginEntry { Percent, Amount }; // MARZE or the margin amount
enum class SplitEntry { P_0, P_L, P_H, L, H };

inline constexpr const char* kNegativeValue = "Hodnota nemůže být záporná!";
inline constexpr const char* kHoldNotZero = "Pevná cena nesmí být nulová!";
inline constexpr const char* kOnlyTwoHolds = "Pevné ceny mohou být pouze dvě!";
inline constexpr const char* kFreePartsZero =
    "Prodejní cenu nelze rozepsat, volné části rozpisu jsou nulové!";
inline constexpr const char* kAdjustSpread = "Upravte celkovou prodejní cenu nebo rozpis cen!";

// The price operations of an item as the item editor, the bulk change and the import apply
// them. Each works on a plain item value and tells the user through the prompter, with the
// program's exact texts. "Runs only if changed": an entry equal to the current value does
// nothing.
class PriceOperations {
public:
    PriceOperations(VatRates rates, Prompter& prompter, Date today)
        : rates_(std::move(rates)), prompter_(prompter), today_(today) {}

    // Set the net sale price by the sale code: "0", "L", "H" set their part, "R" spreads it.
    // An item without a sale code takes its purchase code first ("0" when that is none).
    Outcome NastavP_Cena(Item& item, double net);
    // Spread a new net (gross) total over the parts, keeping the fixed ones.
    Outcome RecalcP_Cena(Item& item, double netTotal);
    Outcome RecalcP_Cena_DPH(Item& item, double grossTotal);

    // A purchase (recommended) price entered on one side: the other side follows by N_IDPH;
    // with REC_NC (REC_DC) the sale price follows from margin (recommended price).
    Outcome RecalcN_Cena(Item& item, PriceSide side, double value);
    Outcome RecalcD_Cena(Item& item, PriceSide side, double value);

    // Margin entered in percent or as an amount; with REC_M the sale price follows.
    Outcome RecalcMarze(Item& item, MarginEntry entry, double value);
    // "Přepočítat marži dle prodejní ceny"
    Outcome recountMarginFromSale(Item& item);
    // "Přepočítat prodejní cenu dle marže": spreads the target, or sets the sale code's part
    // when the sale price is 0.
    Outcome recountSaleFromMargin(Item& item);

    // Sale price entered as net or gross; nullopt when the fields were left unchanged (only
    // the date of the sale price is set).
    struct SaleEntry {
        PriceSide side;
        double value;
    };
    Outcome RecalcP_Cena2(Item& item, std::optional<SaleEntry> entry);

    // A part of the split price entered (net P_0, P_L, P_H or gross L, H); the sale code
    // follows from the positive parts.
    Outcome RecalcRozpis(Item& item, SplitEntry entry, double value);

    // Clears the fixed flags of zero parts; warns once. True when a flag was cleared.
    bool TestHold(Item& item);
    // The user sets or clears one fixed flag.
    Outcome setHold(Item& item, PricePart part, bool on);

    Outcome changeSaleCode(Item& item, VatCode code);
    // `newItem`: an item not yet stored, whose sale code follows its purchase code.
    Outcome changePurchaseCode(Item& item, VatCode code, bool newItem);

    Outcome enterDiscount(Item& item, double percent);
    Outcome enterDiscountAmount(Item& item, double amount);

    const VatRates& rates() const { return rates_; }

private:
    Outcome refuseNegative(PriceField field);
    Outcome spread(Item& item, double total, PriceSide side);
    Outcome applySaleTarget(Item& item, double target);

    VatRates rates_;
    Prompter& prompter_;
    Date today_;
};

} // namespace arkona::catalogue
