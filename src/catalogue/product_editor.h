#pragma once

#include "base/progress.h"
#include "base/prompter.h"
#include "catalogue/item_store.h"
#include "catalogue/product_prices.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace arkona::storage {
struct ProjectContext;
}

namespace arkona::catalogue {

// The order conditions of a row.
enum class QuantityField { KS_MAX, KS_KROK };

inline constexpr const char* kSaveChangesQuestion = "Chcete uložit provedené změny?";

// The rules of the row editor TfrmProd on one row of a product section, without a window: the
// window shows what this holds and calls it when a field is left, a list changes or a button is
// pressed. A new row reaches the table only through store(); an edited row is stored into the
// record it was read from.
class ProductEditor {
public:
    // A new row typed in by hand ('R', 'S' or 'N') in the section; PORADI follows the largest.
    static ProductEditor newRow(const storage::ProjectContext& project, Prompter& prompter,
                                std::string htmlId, int sekceId, char typ,
                                std::filesystem::path pageFolder);
    // The row at `recno` when it still lies in the section and holds the key the list showed
    // (`kod`; `poradi` for a heading); nothing otherwise (the caller says why).
    static std::optional<ProductEditor> editRow(const storage::ProjectContext& project,
                                                Prompter& prompter, std::string htmlId, int sekceId,
                                                std::uint32_t recno, std::string_view kod,
                                                int poradi, std::filesystem::path pageFolder);

    ProductEditor(ProductEditor&&) noexcept;
    ~ProductEditor();

    char typ() const;
    bool isNew() const;
    bool isHeading() const { return typ() == 'N'; }
    bool isSet() const { return typ() == 'S' || typ() == 'E'; }
    // Prices, VAT code and rounding are typed in ("R", "S") or come from the catalogue ("K", "E",
    // read-only; "Upravit cenu v katalogu ..." offered).
    bool pricesEditable() const { return typ() == 'R' || typ() == 'S'; }
    bool fromCatalogue() const { return typ() == 'K' || typ() == 'E'; }
    bool codeEditable() const { return isNew() && !isHeading(); }
    bool okEnabled() const { return okEnabled_; }
    // "Zboží v produktové sekci - KOD, NÁZEV", "Sestava v produktové sekci - ...", "Nadpis v
    // produktové sekci".
    std::string title() const;

    const std::string& kod() const;
    const std::string& nazev() const;
    const std::string& popis() const;
    const std::string& obrazek() const;
    const std::string& odkaz() const;
    const std::string& fontNaz() const;
    const std::string& fontPop() const;
    const std::string& mj() const;
    int poradi() const;
    std::uint32_t recno() const;

    // "Kód:" left: upper case; a taken code says why and may offer a copy of the catalogue item
    // or of the row elsewhere (which then replaces this row). True when the row was replaced.
    bool leaveCode(std::string_view text, bool changed);
    void setName(std::string text);
    void setDescription(std::string text);
    void setUnit(std::string text);
    // A quantity left after a change; refused (message, focus back) when not a number or negative.
    bool leaveQuantity(QuantityField field, std::string_view text, bool edited);
    std::string quantityText(QuantityField field) const;

    // The price panel.
    RowPrices prices() const;
    const RowPriceRules& priceRules() const { return rules_; }
    Outcome leavePrice(RowPriceField field, std::string_view text, bool edited);
    void chooseVatCode(int position);
    void chooseRounding(const std::string& code);
    std::string shownText(RowPriceField field) const { return rules_.shownText(prices(), field); }
    ProductDerived derived() const { return rules_.derived(prices()); }
    // The VAT list's position of the row's code (3 for "rozepsaná daň"); -1 for none.
    int vatPosition() const;

    // The picture, relative to the page's folder.
    const std::filesystem::path& pageFolder() const { return pageFolder_; }
    // The file OBRAZEK names, when it exists.
    std::optional<std::filesystem::path> pictureFile() const;
    // A chosen file: inside the page folder its path there, else copied into it (asking before
    // another file of that name is replaced). False when the copy failed (the reason was shown;
    // OBRAZEK is kept).
    bool choosePicture(const std::filesystem::path& chosen);
    void removePicture();
    void setLink(std::string anchor);
    void removeLink() { setLink({}); }
    void setFontNaz(std::string tag);
    void setFontPop(std::string tag);

    // Whether the row differs from what was read (a new row always counts as changed).
    bool changed() const;

    // "OK": a new row is appended, an edited one stored into its record when changed. False when
    // nothing was stored (an unchanged row). Throws with the message on a failure.
    bool store();

    // "Upravit cenu v katalogu ..." for a row from the catalogue. `editItem` stands for the item
    // editor: the item as its "OK" left it, nothing on "Storno".
    enum class CatalogueEdit {
        Declined,       // unsaved changes the user did not want stored
        NotInCatalogue, // the item was deleted from the catalogue
        Cancelled,      // "Storno" in the item editor
        Updated,        // the item stored, the rows of its code updated, the new prices shown
    };
    struct EditedItem {
        Item item;
        std::string popis;
    };
    using ItemEditorCall = std::function<std::optional<EditedItem>(const StoredItem&)>;
    CatalogueEdit editCataloguePrice(const ItemEditorCall& editItem, Progress& progress);

private:
    struct State;
    ProductEditor(const storage::ProjectContext& project, Prompter& prompter,
                  std::unique_ptr<State> state, std::filesystem::path pageFolder);

    const storage::ProjectContext& project_;
    Prompter& prompter_;
    RowPriceRules rules_;
    std::unique_ptr<State> state_;
    std::filesystem::path pageFolder_;
    bool okEnabled_ = true;
};

} // namespace arkona::catalogue
