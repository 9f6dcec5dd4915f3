#include "catalogue/item_store.h"

#include "base/dbf/table.h"
#include "base/error.h"
#include "base/textcase.h"
#include "catalogue/tables.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "storage/statements.h"

namespace arkona::catalogue {

namespace {

bool hasCode(const std::filesystem::path& file, std::string_view code) {
    const auto table = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
    const storage::RowFilter same(table, {{"KOD", std::string(text::trim(code)), true}});
    bool found = false;
    table.scan([&](const dbf::Record& r) {
        found = same(r);
        return !found;
    });
    return found;
}

// The row an item was read from: the one at `recno` when it still holds `code`, else the only
// row with that code; "Update failed" when there is none or several.
std::uint32_t rowOf(const dbf::Table& table, std::uint32_t recno, std::string_view code) {
    if (recno < table.recordCount()) {
        const auto row = table.read(recno);
        if (!row.deleted() && text::codeEquals(row.text("KOD"), code)) {
            return recno;
        }
    }
    const auto rows = storage::findRows(table, {{"KOD", std::string(code)}});
    if (rows.size() != 1) {
        throw Error(storage::kUpdateFailed);
    }
    return rows.front();
}

} // namespace

CodeStatus codeStatus(const storage::ProjectContext& project, std::string_view code) {
    if (text::trim(code).empty()) {
        return CodeStatus::Empty;
    }
    if (hasCode(projectTable(project, storage::kKatalog), code)) {
        return CodeStatus::InCatalogue;
    }
    if (hasCode(projectTable(project, storage::kZbozi), code)) {
        return CodeStatus::InProducts;
    }
    return CodeStatus::Free;
}

const char* codeTakenMessage(CodeStatus status) {
    switch (status) {
    case CodeStatus::InCatalogue:
        return kCodeInCatalogue;
    case CodeStatus::InProducts:
        return kCodeInProducts;
    default:
        return nullptr;
    }
}

Item newItemOf(const Group& group) {
    Item item;
    item.skupId = group.skupId;
    item.distId = group.distId;
    item.nIdph = group.nIdph;
    item.pIdph = group.nIdph;
    item.sleva = group.sleva;
    item.round = group.round;
    item.recNc = group.recNc;
    item.recDc = group.recDc;
    item.recM = group.recM;
    return item;
}

void writeItem(const Item& item, const std::string& popis, dbf::Record& row) {
    row.setNumber("SKUPID", item.skupId);
    row.setNumber("DISTID", item.distId);
    row.setText("KOD", item.kod);
    row.setText("NAZEV", item.nazev);
    row.setMemo("POPIS", popis);
    writePrices(item, row);
    row.setLogical("REC_NC", item.recNc);
    row.setLogical("REC_DC", item.recDc);
    row.setLogical("REC_M", item.recM);
    row.setText("OBRAZEK", item.obrazek);
}

std::optional<StoredItem> readItemAt(const storage::ProjectContext& project, std::uint32_t recno,
                                     std::string_view code) {
    const auto table =
        dbf::Table::open(projectTable(project, storage::kKatalog), dbf::OpenMode::ReadOnly);
    if (recno >= table.recordCount()) {
        return std::nullopt;
    }
    const auto row = table.read(recno);
    if (row.deleted() || !text::codeEquals(row.text("KOD"), code)) {
        return std::nullopt;
    }
    return StoredItem{readItem(row), row.memo("POPIS"), recno};
}

std::optional<StoredItem> findItem(const storage::ProjectContext& project, std::string_view code) {
    if (text::trim(code).empty()) {
        return std::nullopt;
    }
    const auto table =
        dbf::Table::open(projectTable(project, storage::kKatalog), dbf::OpenMode::ReadOnly);
    const auto rows = storage::findRows(table, {{"KOD", std::string(text::trim(code)), true}});
    if (rows.empty()) {
        return std::nullopt;
    }
    const auto row = table.read(rows.front());
    return StoredItem{readItem(row), row.memo("POPIS"), rows.front()};
}

std::uint32_t insertItem(const storage::ProjectContext& project, const Item& item,
                         const std::string& popis) {
    auto table = dbf::Table::open(projectTable(project, storage::kKatalog));
    auto row = table.blankRecord();
    writeItem(item, popis, row);
    return table.append(row);
}

void updateItem(const storage::ProjectContext& project, std::uint32_t recno,
                std::string_view originalCode, const Item& item, const std::string& popis) {
    auto table = dbf::Table::open(projectTable(project, storage::kKatalog));
    dbf::Record row = table.read(rowOf(table, recno, originalCode));
    writeItem(item, popis, row);
    table.update(row);
}

StoredItem copyItem(const storage::ProjectContext& project, const StoredItem& source,
                    std::string_view newCode) {
    const std::string code = text::toUpper(text::trim(newCode));
    const CodeStatus status = codeStatus(project, code);
    if (status == CodeStatus::Empty) {
        throw Error("Není vyplněn kód zboží!");
    }
    if (const char* taken = codeTakenMessage(status)) {
        throw Error(taken);
    }
    auto table = dbf::Table::open(projectTable(project, storage::kKatalog));
    const dbf::Record from = table.read(rowOf(table, source.recno, source.item.kod));
    // Every stored value as it is, but the code; the description gets blocks of its own.
    dbf::Record copy = table.blankRecord();
    const auto& fields = table.fields();
    for (size_t c = 0; c < fields.size(); ++c) {
        const int col = static_cast<int>(c);
        if (fields[c].isMemo()) {
            copy.setMemo(col, from.memo(col));
        } else {
            copy.copyField(col, from);
        }
    }
    copy.setText("KOD", code);
    const std::uint32_t recno = table.append(copy);
    return {readItem(copy), copy.memo("POPIS"), recno};
}

} // namespace arkona::catalogue
