#include "catalogue/calculated_columns.h"

#include "base/textcase.h"
#include "catalogue/derived_values.h"
#include "catalogue/vat.h"
#include "storage/data_module.h"
#include "storage/project_context.h"

namespace arkona::catalogue {

namespace {

using storage::Value;

bool isItemColumn(std::string_view column) {
    for (const char* name : {"P_CENA", "P_CENA_DPH", "DPH_L", "DPH_H", "L", "H", "MARZE_KC",
                             "A_MARZE", "A_MARZE_KC", "P_DPH", "SLEVA_KC"}) {
        if (text::equalsNoCase(column, name)) {
            return true;
        }
    }
    return false;
}

storage::DataView::CalculatedColumns itemColumns(const storage::TData2& data,
                                                 const storage::ProjectContext& context) {
    return
        [&data, &context](const dbf::Record& row, std::string_view column) -> std::optional<Value> {
            if (!isItemColumn(column)) {
                return std::nullopt;
            }
            if (!data.catalogueCalculation) {
                return Value();
            }
            return Value(*derivedColumn(deriveItem(readItem(row), VatRates::of(context)), column));
        };
}

std::optional<Value> productColumn(const dbf::Record& row, std::string_view column) {
    if (!text::toUpper(column).starts_with("TMP_") || text::equalsNoCase(column, "TMP_IDPH")) {
        return std::nullopt;
    }
    const ProductDerived values = deriveProduct(row.numberOr("P_CENA"), row.numberOr("P_CENA_DPH"),
                                                row.numberOr("SLEVA"), row.text("ROUND"));
    if (const auto value = derivedColumn(values, column)) {
        return Value(*value);
    }
    return std::nullopt;
}

} // namespace

void installCalculatedColumns(storage::TData2& data, const storage::ProjectContext& context) {
    data.qKatalog.addCalculatedColumns(itemColumns(data, context));
    data.qZbozi.addCalculatedColumns(productColumn);
    data.qZboziUpr.addCalculatedColumns(productColumn);
    data.qKompot.addCalculatedColumns(
        [&context](const dbf::Record& row, std::string_view column) -> std::optional<Value> {
            if (!text::equalsNoCase(column, "TMP_IDPH")) {
                return std::nullopt;
            }
            return Value(vatCaption(vatCode(row.text("P_IDPH")), VatRates::of(context)));
        });
}

void RecalcKatalog(storage::TData2& data, bool on) {
    data.catalogueCalculation = on;
}

CatalogueCalculationOff::CatalogueCalculationOff(storage::TData2& data)
    : data_(data), before_(data.catalogueCalculation) {
    RecalcKatalog(data_, false);
}

CatalogueCalculationOff::~CatalogueCalculationOff() {
    RecalcKatalog(data_, before_);
}

} // namespace arkona::catalogue
