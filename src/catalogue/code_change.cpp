#include "catalogue/code_change.h"

#include "base/dbf/table.h"
#include "base/error.h"
#include "catalogue/price_operations.h"

#include <vector>

namespace arkona::catalogue {

namespace {

// Keeps the messages of one item's operations, so a pass over many items says each once.
class CollectedMessages : public Prompter {
public:
    bool holdCleared = false;
    Answer ask(MessageKind, Buttons, const std::string& text, Answer defaultAnswer) override {
        holdCleared = holdCleared || text == kHoldNotZero;
        return defaultAnswer;
    }
};

} // namespace

int changeCodes(const std::filesystem::path& katalogFile, const VatRates& rates,
                const CodeSet& codes, const CodeChange& change, Prompter& prompter) {
    if (change.purchase == VatCode::Split) {
        throw Error("Nákupní cena nemůže mít rozepsanou daň.");
    }
    auto table = dbf::Table::open(katalogFile, dbf::OpenMode::Shared);
    table.field("KOD");
    const int kod = table.fieldIndex("KOD");
    std::vector<std::uint32_t> rows;
    table.scan([&](const dbf::Record& r) {
        if (codes.contains(r.text(kod))) {
            rows.push_back(r.recno());
        }
        return true;
    });

    CollectedMessages messages;
    PriceOperations operations(rates, messages, Date::today());
    int changed = 0;
    for (std::uint32_t recno : rows) {
        dbf::Record row = table.read(recno);
        if (row.deleted() || !codes.contains(row.text(kod))) {
            continue; // changed by another program since the scan
        }
        Item item = readItem(row);
        if (change.purchase != VatCode::None) {
            operations.changePurchaseCode(item, change.purchase, false);
        }
        if (change.sale != VatCode::None) {
            operations.changeSaleCode(item, change.sale);
        }
        const std::string before(row.rawBytes());
        writePrices(item, row);
        if (row.rawBytes() != before) {
            table.update(row);
            ++changed;
        }
    }
    if (messages.holdCleared) {
        prompter.warning(kHoldNotZero);
    }
    return changed;
}

} // namespace arkona::catalogue
