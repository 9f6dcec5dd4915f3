#pragma once

#include "base/locale.h"
#include "base/prompter.h"
#include "catalogue/derived_values.h"
#include "catalogue/item_store.h"
#include "catalogue/price_operations.h"

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace arkona::catalogue {

// The numeric inputs of the item editor. Each shows a stored or derived value and runs its price
// operation when it is left after a change.
enum class EditorField {
    N_CENA,
    N_CENA_DPH,
    D_CENA,
    D_CENA_DPH,
    MARZE,
    MARZE_KC,
    P_CENA,
    P_CENA_DPH,
    SLEVA,
    SLEVA_KC,
    P_0,
    P_L,
    P_H,
    L,
    H,
};

inline constexpr const char* kNoCode = "Není vyplněn kód zboží!";
inline constexpr const char* kNoName = "Není vyplněn název zboží!";

// The rules of the item editor TfrmZboz on one item, without a window: the window shows what
// this holds and calls it when a field is left, a list changes or a button is pressed.
class ItemEditor {
public:
    struct Options {
        bool newItem = false;        // not stored yet: the code must be given
        bool codeChangeable = false; // a stored item without a code (group 9999)
    };
    using CodeCheck = std::function<CodeStatus(std::string_view code)>;

    ItemEditor(StoredItem item, Options options, VatRates rates, Prompter& prompter, Date today,
               CodeCheck codeCheck);

    const Item& item() const { return item_; }
    const std::string& popis() const { return popis_; }
    const StoredItem& original() const { return original_; }
    ItemDerived derived() const { return deriveItem(item_, ops_.rates()); }
    const VatRates& rates() const { return ops_.rates(); }
    bool isNew() const { return options_.newItem; }
    bool codeEditable() const { return options_.newItem || options_.codeChangeable; }
    // "OK" is enabled: for a new item or a changeable code only once a free code was given.
    bool okEnabled() const { return okEnabled_; }
    // Whether the item differs from what the editor was opened on.
    bool changed() const;

    // What a numeric input shows: "#0.00" of its stored or derived value.
    double shownValue(EditorField field) const;
    std::string shownText(EditorField field) const;

    // A numeric input is left; `edited` tells whether the user changed it since it was last
    // filled. A refused entry says where the focus goes.
    Outcome leave(EditorField field, std::string_view text, bool edited);

    // "kód:" left after a change: upper case; OK only for a free code (messages for a taken one).
    void leaveCode(std::string_view text);
    void setName(std::string name) { item_.nazev = std::move(name); }
    void setDescription(std::string text) { popis_ = std::move(text); }
    void setDistributor(int id) { item_.distId = id; }
    // The VAT lists by position: 0 "0 %", 1 reduced, 2 base, 3 "rozepsaná daň" (sale only).
    Outcome setPurchaseCode(int position);
    Outcome setSaleCode(int position);
    int purchasePosition() const { return listPosition(vatCode(item_.nIdph)); }
    int salePosition() const { return listPosition(vatCode(item_.pIdph)); }
    void setRounding(std::string code) { item_.round = std::move(code); }
    void setRecNc(bool on) { item_.recNc = on; }
    void setRecDc(bool on) { item_.recDc = on; }
    void setRecM(bool on) { item_.recM = on; }
    // A "Pevná" box checked or cleared.
    Outcome setHold(PricePart part, bool on);
    // "Přepočítat marži dle prodejní ceny" and "Přepočítat prodejní cenu dle marže".
    Outcome recountMargin();
    Outcome recountSale();

    // "Vyhledat soubor s obrázkem": false when the picture could not be taken (the reason was
    // shown; OBRAZEK is as before).
    bool choosePicture(const std::filesystem::path& chosen,
                       const std::filesystem::path& pictureFolder);
    // "Odstranit obrázek": the file stays in `_obr`.
    void removePicture() { item_.obrazek.clear(); }

    enum class Closing { Ok, Storno, StayOpen };
    struct OkResult {
        Closing closing = Closing::Ok;
        bool focusCode = false;
        bool focusName = false;
    };
    // "OK" (after the field being left ran its operation): an unchanged item closes as "Storno";
    // an empty code or name says so and stays; otherwise DAT_Z_UPD = today and "OK".
    OkResult ok();

private:
    StoredItem original_;
    Item item_;
    std::string popis_;
    Options options_;
    PriceOperations ops_;
    Prompter& prompter_;
    Date today_;
    CodeCheck codeCheck_;
    bool okEnabled_ = true;
};

// Equality of every stored column of two items.
bool sameItem(const Item& a, const Item& b);

} // namespace arkona::catalogue
