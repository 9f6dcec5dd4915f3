#include "catalogue/item_batches.h"

#include "base/dbf/table.h"
#include "base/textcase.h"
#include "catalogue/tables.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "storage/statements.h"

#include <map>

namespace arkona::catalogue {

namespace {

std::vector<std::string> keysOf(const CodeSet& codes) {
    std::vector<std::string> keys;
    keys.reserve(codes.size());
    for (const auto& code : codes.codes()) {
        keys.push_back(storage::codeKey(code, true));
    }
    return keys;
}

bool isType(const dbf::Record& r, char type) {
    const std::string_view t = text::trim(r.rawField(r.column("TYP")));
    return t.size() == 1 && (t[0] == type || t[0] == type + ('a' - 'A'));
}

// Rows at these places that are still code-less items of the group.
template <class Change>
int changeCodeless(const std::filesystem::path& katalog, const ItemSelection& selection,
                   Change change) {
    if (selection.codeless.empty()) {
        return 0;
    }
    auto table = dbf::Table::open(katalog);
    int n = 0;
    for (const auto recno : selection.codeless) {
        if (recno >= table.recordCount()) {
            continue;
        }
        auto row = table.read(recno);
        if (row.deleted() || !text::trim(row.text("KOD")).empty() ||
            row.integerOr("SKUPID", 0) != selection.group) {
            continue;
        }
        change(table, row);
        ++n;
    }
    return n;
}

// Runs `batch` over the codes of the selection, 100 at a time, with the progress window.
template <class Batch>
bool inBatches(const ItemSelection& selection, Progress& progress, const char* title,
               const char* message, Batch batch) {
    const auto batches = selection.codes.batches();
    ProgressSetup setup;
    setup.title = title;
    setup.message = message;
    setup.cancelButton = true;
    setup.bars = ProgressBars::First;
    setup.maximum1 = static_cast<int>(batches.size()) + 1;
    progress.start(setup);
    for (const auto& codes : batches) {
        if (progress.cancelRequested()) {
            progress.finish();
            return false;
        }
        batch(codes);
        progress.step(1);
    }
    progress.finish();
    return true;
}

} // namespace

BatchCounts deleteItemBatch(const storage::ProjectContext& project, const CodeSet& batch) {
    BatchCounts counts;
    if (batch.empty()) {
        return counts;
    }
    counts.components =
        storage::deleteWhere(projectTable(project, storage::kKompot), [&](const dbf::Record& r) {
            return isType(r, 'K') && batch.contains(r.text("KOD"));
        });
    const auto keys = keysOf(batch);
    counts.products =
        storage::deleteByCode(projectTable(project, storage::kZbozi), "KOD", true, keys);
    counts.items =
        storage::deleteByCode(projectTable(project, storage::kKatalog), "KOD", true, keys);
    return counts;
}

BatchCounts deleteItems(const storage::ProjectContext& project, const ItemSelection& selection,
                        Progress& progress) {
    BatchCounts counts;
    const auto katalog = projectTable(project, storage::kKatalog);
    counts.cancelled = !inBatches(selection, progress, kDeleteItemsTitle, kDeleteItemsText,
                                  [&](const CodeSet& batch) {
                                      const BatchCounts done = deleteItemBatch(project, batch);
                                      counts.items += done.items;
                                      counts.products += done.products;
                                      counts.components += done.components;
                                  });
    if (!counts.cancelled) {
        counts.items += changeCodeless(
            katalog, selection, [](dbf::Table& t, dbf::Record& r) { t.setDeleted(r.recno()); });
    }
    return counts;
}

int moveItemBatch(const storage::ProjectContext& project, const CodeSet& batch, int target) {
    storage::ChangesByCode changes;
    const storage::RowChange toTarget = [target](dbf::Record& r) {
        if (r.integerOr("SKUPID", -1) == target) {
            return false;
        }
        r.setNumber("SKUPID", target);
        return true;
    };
    for (const auto& key : keysOf(batch)) {
        changes.emplace(key, toTarget);
    }
    return storage::updateByCode(projectTable(project, storage::kKatalog), "KOD", true, changes)
        .written;
}

BatchCounts moveItems(const storage::ProjectContext& project, const ItemSelection& selection,
                      int target, Progress& progress) {
    BatchCounts counts;
    counts.cancelled =
        !inBatches(selection, progress, kMoveItemsTitle, kMoveItemsText, [&](const CodeSet& batch) {
            counts.items += moveItemBatch(project, batch, target);
        });
    if (!counts.cancelled) {
        counts.items += changeCodeless(projectTable(project, storage::kKatalog), selection,
                                       [target](dbf::Table& t, dbf::Record& r) {
                                           r.setNumber("SKUPID", target);
                                           t.update(r);
                                       });
    }
    return counts;
}

std::vector<std::pair<int, int>> itemCountsByGroup(const storage::ProjectContext& project) {
    std::map<int, int> counts;
    const auto table =
        dbf::Table::open(projectTable(project, storage::kKatalog), dbf::OpenMode::ReadOnly);
    const int col = table.fieldIndex("SKUPID");
    table.scan([&](const dbf::Record& r) {
        ++counts[static_cast<int>(r.integer(col).value_or(0))];
        return true;
    });
    return {counts.begin(), counts.end()};
}

} // namespace arkona::catalogue
