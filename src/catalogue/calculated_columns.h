#pragma once

namespace arkona::storage {
class TData2;
struct ProjectContext;
} // namespace arkona::storage

namespace arkona::catalogue {

// Hangs the catalogue's calculated columns on the data module's views, once per data module:
// qKatalog the item's derived values (P_CENA, P_CENA_DPH, DPH_L, DPH_H, L, H, MARZE_KC,
// A_MARZE, A_MARZE_KC, P_DPH, SLEVA_KC) while the catalogue calculation is on, blank while it is
// off; qZbozi and qZboziUpr the placed product's TMP_* prices; qKompot the caption TMP_IDPH.
// Each value is computed from its row when asked. The rates are read from `context` then.
void installCalculatedColumns(storage::TData2& data, const storage::ProjectContext& context);

// RecalcKatalog(on/off): whether qKatalog computes its calculated columns.
void RecalcKatalog(storage::TData2& data, bool on);

// Switches the catalogue calculation off for a pass over many items and back to what it was
// when the pass ends, also by cancel or error.
class CatalogueCalculationOff {
public:
    explicit CatalogueCalculationOff(storage::TData2& data);
    ~CatalogueCalculationOff();
    CatalogueCalculationOff(const CatalogueCalculationOff&) = delete;
    CatalogueCalculationOff& operator=(const CatalogueCalculationOff&) = delete;

private:
    storage::TData2& data_;
    bool before_;
};

} // namespace arkona::catalogue
