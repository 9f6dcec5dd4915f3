#include "catalogue/price_update.h"

#include "base/dbf/numeric.h"
#include "base/dbf/table.h"
#include "base/paths.h"
#include "base/textcase.h"
#include "catalogue/derived_values.h"
#include "catalogue/rounding.h"
#include "catalogue/vat.h"
#include "storage/project_context.h"
#include "storage/schema.h"

#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>

namespace arkona::catalogue {

PriceUpdateCounts& PriceUpdateCounts::operator+=(const PriceUpdateCounts& other) {
    products += other.products;
    components += other.components;
    changedProducts += other.changedProducts;
    changedComponents += other.changedComponents;
    cancelled = cancelled || other.cancelled;
    return *this;
}

namespace {

// What a placed row takes from its catalogue item.
struct Source {
    std::string nazev;
    std::string pIdph;
    std::string round;
    double p0 = 0;
    double pL = 0;
    double pH = 0;
    mutable std::optional<SalePrices> prices; // computed for the items that are placed

    const SalePrices& sale(const VatRates& rates) const {
        if (!prices) {
            prices = salePrices(p0, pL, pH, rates);
        }
        return *prices;
    }
};

int columnOf(const dbf::Table& table, const char* name) {
    table.field(name); // reports a missing column naming the table
    return table.fieldIndex(name);
}

// The catalogue items by folded code, read in one pass; the first of codes that differ only in
// letter case wins.
class ItemIndex {
public:
    void add(std::string_view code, Source source) {
        const std::string key = CodeSet::key(code);
        if (key.empty() || byKey_.contains(key)) {
            return;
        }
        sources_.push_back(std::make_unique<Source>(std::move(source)));
        byKey_.emplace(key, sources_.back().get());
    }
    void reserve(std::size_t items) {
        byKey_.reserve(items);
        sources_.reserve(items);
    }
    const Source* find(std::string_view code) const {
        const auto it = byKey_.find(CodeSet::key(code));
        return it == byKey_.end() ? nullptr : it->second;
    }

private:
    std::unordered_map<std::string, const Source*> byKey_;
    std::vector<std::unique_ptr<Source>> sources_;
};

ItemIndex readCatalogue(const std::filesystem::path& file, const CodeSet* codes) {
    const auto table = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
    const int kod = columnOf(table, "KOD");
    const int nazev = columnOf(table, "NAZEV");
    const int pIdph = columnOf(table, "P_IDPH");
    const int round = columnOf(table, "ROUND");
    const int p0 = columnOf(table, "P_0");
    const int pL = columnOf(table, "P_L");
    const int pH = columnOf(table, "P_H");
    ItemIndex index;
    index.reserve(codes ? codes->size() : table.recordCount());
    table.scan([&](const dbf::Record& r) {
        const std::string code = r.text(kod);
        if (codes && !codes->contains(code)) {
            return true;
        }
        index.add(code, {r.text(nazev), std::string(text::trim(r.text(pIdph))),
                         std::string(text::trim(r.text(round))), r.number(p0).value_or(0),
                         r.number(pL).value_or(0), r.number(pH).value_or(0), std::nullopt});
        return true;
    });
    return index;
}

// The one-letter row type, read from the stored byte (any letter case, blanks around it).
bool typeIs(const dbf::Record& r, int column, std::string_view types) {
    const std::string_view type = text::trim(r.rawField(column));
    if (type.size() != 1) {
        return false;
    }
    const char c = type[0] >= 'a' && type[0] <= 'z' ? static_cast<char>(type[0] - 32) : type[0];
    return types.find(c) != std::string_view::npos;
}

// One placed-goods table in a pass: the rows of the given types (any when empty) that take
// prices from an item, found in one scan, then updated one by one.
class PlacedRows {
public:
    using Write = std::function<void(dbf::Record&, const Source&)>;

    PlacedRows(const std::filesystem::path& file, const ItemIndex& index, const CodeSet* codes,
               std::string_view types)
        : table_(dbf::Table::open(file, dbf::OpenMode::Shared)), index_(index),
          kod_(columnOf(table_, "KOD")), typ_(columnOf(table_, "TYP")), types_(types) {
        table_.scan([&](const dbf::Record& r) {
            const std::string code = r.text(kod_);
            if (!accepted(r) || (codes && !codes->contains(code))) {
                return true;
            }
            if (const Source* source = index_.find(code)) {
                rows_.push_back({r.recno(), code, source});
            }
            return true;
        });
    }

    dbf::Table& table() { return table_; }
    int count() const { return static_cast<int>(rows_.size()); }

    // Writes every found row; stops before a row when `proceed` says so. Counts rows and
    // changed rows; false when stopped.
    bool update(const Write& write, const std::function<bool()>& proceed, int& done, int& changed) {
        for (const Found& found : rows_) {
            if (!proceed()) {
                return false;
            }
            dbf::Record row = table_.read(found.recno);
            // Another program may have changed the row since the scan.
            if (row.deleted() || !accepted(row) || row.text(kod_) != found.code) {
                continue;
            }
            const Source* source = found.source;
            const std::string before(row.rawBytes());
            write(row, *source);
            if (row.rawBytes() != before) {
                table_.update(row);
                ++changed;
            }
            ++done;
        }
        return true;
    }

private:
    bool accepted(const dbf::Record& r) const { return types_.empty() || typeIs(r, typ_, types_); }

    dbf::Table table_;
    const ItemIndex& index_;
    int kod_;
    int typ_;
    std::string types_;
    struct Found {
        std::uint32_t recno;
        std::string code; // as stored
        const Source* source;
    };
    std::vector<Found> rows_;
};

std::filesystem::path tableFile(const storage::ProjectContext& project, const char* name) {
    return paths::resolve(project.projectFolder, std::string("\\_dbf\\") + name);
}

// Writers of the copied values.

// A page product keeps its prices unrounded, in a column of fewer decimals than the catalogue's
// parts; its ROUND applies when it is published. Where the column's own rounding would carry the
// price across a tie of ROUND (125.9475 stored as 125.95, published as 126.0 while the catalogue
// shows 125.9), the rounded price is stored instead, so the page publishes the catalogue's price.
double publishedAsCatalogue(double price, int decimals, const std::string& round) {
    const Rounding how = rounding(round);
    const auto stored = dbf::parseNumber(dbf::formatNumber(price, decimals));
    if (how == Rounding::None || !stored || roundPrice(*stored, how) == roundPrice(price, how)) {
        return price;
    }
    return roundPrice(price, how);
}

PlacedRows::Write productWriter(const dbf::Table& table, const VatRates& rates) {
    const int pIdph = columnOf(table, "P_IDPH");
    const int pCena = columnOf(table, "P_CENA");
    const int pCenaDph = columnOf(table, "P_CENA_DPH");
    const int round = columnOf(table, "ROUND");
    const int netDecimals = table.field("P_CENA").decimals;
    const int grossDecimals = table.field("P_CENA_DPH").decimals;
    return [=](dbf::Record& r, const Source& s) {
        const SalePrices& prices = s.sale(rates);
        r.setText(pIdph, s.pIdph);
        r.setNumber(pCena, publishedAsCatalogue(prices.net, netDecimals, s.round));
        r.setNumber(pCenaDph, publishedAsCatalogue(prices.gross, grossDecimals, s.round));
        r.setText(round, roundingCodeForCopy(s.round));
    };
}

PlacedRows::Write componentWriter(const dbf::Table& table, const VatRates& rates) {
    const int nazev = columnOf(table, "NAZEV");
    const int pIdph = columnOf(table, "P_IDPH");
    const int pCena = columnOf(table, "P_CENA");
    const int pCenaDph = columnOf(table, "P_CENA_DPH");
    return [=](dbf::Record& r, const Source& s) {
        const SalePrices& prices = s.sale(rates);
        r.setText(nazev, s.nazev, true); // the item's name may be longer than the component's
        r.setText(pIdph, s.pIdph);
        r.setNumber(pCena, roundPrice(prices.net, s.round));
        r.setNumber(pCenaDph, roundPrice(prices.gross, s.round));
    };
}

// Closes the progress window however the pass ends.
class ProgressShown {
public:
    ProgressShown(Progress& progress, const ProgressSetup& setup) : progress_(progress) {
        progress_.start(setup);
    }
    ~ProgressShown() { progress_.finish(); }
    ProgressShown(const ProgressShown&) = delete;
    ProgressShown& operator=(const ProgressShown&) = delete;

private:
    Progress& progress_;
};

} // namespace

PriceUpdateCounts RecalcProd(const storage::ProjectContext& project, const CodeSet* codes,
                             Progress& progress) {
    ProgressSetup setup;
    setup.title = kRecalcProdTitle;
    setup.message = kRecalcProdText;
    setup.cancelButton = true;
    setup.bars = ProgressBars::First;
    ProgressShown shown(progress, setup);

    const VatRates rates = VatRates::of(project);
    const ItemIndex index = readCatalogue(tableFile(project, storage::kKatalog), codes);
    const auto zbozi = tableFile(project, storage::kZbozi);
    const auto kompot = tableFile(project, storage::kKompot);
    PlacedRows products(zbozi, index, codes, "KE");
    PlacedRows components(kompot, index, codes, "K");
    progress.setMaximum(1, products.count() + components.count());

    PriceUpdateCounts counts;
    const auto proceed = [&] {
        // Pending window events run here, so the cancel button works between rows.
        if (progress.cancelRequested()) {
            return false;
        }
        progress.step(1);
        return true;
    };
    counts.cancelled = !products.update(productWriter(products.table(), rates), proceed,
                                        counts.products, counts.changedProducts) ||
                       !components.update(componentWriter(components.table(), rates), proceed,
                                          counts.components, counts.changedComponents);
    return counts;
}

PriceUpdateCounts RecalcProdSelected(const storage::ProjectContext& project,
                                     const CodeSet& selected, Progress& progress) {
    PriceUpdateCounts total;
    for (const CodeSet& batch : selected.batches()) {
        total += RecalcProd(project, &batch, progress);
        if (total.cancelled) {
            break;
        }
    }
    return total;
}

PriceUpdateCounts RecalcProdKod(const storage::ProjectContext& project, const Item& item,
                                const CodeSet& codes, Progress& progress) {
    ProgressSetup setup;
    setup.title = kRecalcProdKodTitle;
    setup.message = kRecalcProdKodText;
    setup.bars = ProgressBars::None;
    ProgressShown shown(progress, setup);

    const VatRates rates = VatRates::of(project);
    ItemIndex index;
    for (const auto& code : codes.codes()) {
        index.add(code,
                  {item.nazev, item.pIdph, item.round, item.p0, item.pL, item.pH, std::nullopt});
    }
    const auto zbozi = tableFile(project, storage::kZbozi);
    const auto kompot = tableFile(project, storage::kKompot);
    PlacedRows products(zbozi, index, &codes, "");
    PlacedRows components(kompot, index, &codes, "K");
    const auto always = [] { return true; };
    PriceUpdateCounts counts;
    products.update(productWriter(products.table(), rates), always, counts.products,
                    counts.changedProducts);
    components.update(componentWriter(components.table(), rates), always, counts.components,
                      counts.changedComponents);
    return counts;
}

} // namespace arkona::catalogue
