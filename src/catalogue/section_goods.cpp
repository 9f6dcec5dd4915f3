#include "catalogue/section_goods.h"

#include "base/dbf/table.h"
#include "base/error.h"
#include "base/textcase.h"
#include "catalogue/goods_codes.h"
#include "catalogue/goods_placing.h"
#include "catalogue/tables.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "storage/statements.h"

#include <algorithm>

namespace arkona::catalogue {

namespace {

std::filesystem::path goodsTable(const storage::ProjectContext& project) {
    return projectTable(project, storage::kZbozi);
}

std::vector<storage::Condition> sectionConditions(const SectionKey& section) {
    return {{"HTMLID", section.htmlId}, {"SEKCEID", static_cast<double>(section.sekceId)}};
}

// The row at the reference's place when it still holds the key it was listed with.
bool holds(const dbf::Record& row, const ProductRef& ref) {
    return !row.deleted() && text::trim(row.text("HTMLID")) == text::trim(ref.htmlId) &&
           row.integerOr("SEKCEID", 0) == ref.sekceId &&
           text::codeEquals(row.text("KOD"), ref.kod) && row.integerOr("PORADI", 0) == ref.poradi;
}

std::optional<dbf::Record> rowAt(const dbf::Table& table, const ProductRef& ref) {
    if (ref.recno >= table.recordCount()) {
        return std::nullopt;
    }
    dbf::Record row = table.read(ref.recno);
    if (!holds(row, ref)) {
        return std::nullopt;
    }
    return row;
}

// A set code longer than its breakdown's key, or a second row of a code in one section.
void checkStorable(const dbf::Table& table, const ProductRow& row,
                   std::optional<std::uint32_t> self) {
    if (const auto problem = setCodeProblem(row.typ, row.kod)) {
        throw Error(*problem);
    }
    if (text::trim(row.kod).empty()) {
        return;
    }
    const storage::RowFilter inSection(table, sectionConditions(row.section()));
    bool taken = false;
    table.scan([&](const dbf::Record& r) {
        taken = inSection(r) && (!self || r.recno() != *self) && sameCode(r.text("KOD"), row.kod);
        return !taken;
    });
    if (taken) {
        throw Error(alreadyInSectionMessage(row.kod));
    }
}

storage::Value sectionNumber(const storage::DataView& sections) {
    if (sections.isBlank("SEKCEID")) {
        return storage::Value();
    }
    return storage::Value(sections.number("SEKCEID"));
}

} // namespace

void openSectionGoods(storage::TData2& data, bool withPrices) {
    data.setGoodsWithPrices(withPrices);
    storage::DataView& goods = data.activeGoodsView();
    const auto& sections = data.qHtml;
    if (sections.isOpen() && !sections.isEmpty() && text::trim(sections.text("TYP")) == "p") {
        const storage::Value page = std::string(text::trim(sections.text("HTMLID")));
        const storage::Value section = sectionNumber(sections);
        if (goods.parameter("HTMLID") != page || goods.parameter("SEKCEID") != section) {
            goods.close();
            goods.setParameter("HTMLID", page);
            goods.setParameter("SEKCEID", section);
        }
    }
    if (goods.isOpen()) {
        goods.refresh();
    } else {
        goods.open();
    }
}

std::vector<GoodsListRow> sectionGoodsList(const storage::DataView& goods, bool withPrices) {
    std::vector<GoodsListRow> out;
    if (!goods.isOpen()) {
        return out;
    }
    out.reserve(goods.rows().size());
    const auto& rows = goods.rows();
    if (rows.empty()) {
        return out;
    }
    const dbf::Record& first = rows.front();
    const int htmlId = first.column("HTMLID");
    const int sekceId = first.column("SEKCEID");
    const int poradi = first.column("PORADI");
    const int kod = first.column("KOD");
    const int nazev = first.column("NAZEV");
    const int typ = first.column("TYP");
    const int sleva = first.column("SLEVA");
    for (const dbf::Record& r : rows) {
        GoodsListRow line;
        line.ref = {r.recno(), std::string(text::trim(r.text(htmlId))),
                    static_cast<int>(r.integer(sekceId).value_or(0)),
                    std::string(text::trim(r.text(kod))),
                    static_cast<int>(r.integer(poradi).value_or(0))};
        line.kod = line.ref.kod;
        line.nazev = r.text(nazev);
        line.typ = std::string(text::trim(r.text(typ)));
        line.typText = productTypeText(line.typ);
        line.sleva = r.number(sleva).value_or(0);
        if (withPrices) {
            line.prices = deriveProduct(r.numberOr("P_CENA"), r.numberOr("P_CENA_DPH"), line.sleva,
                                        r.text("ROUND"));
        }
        out.push_back(std::move(line));
    }
    return out;
}

std::vector<StoredProduct> readSectionRows(const storage::ProjectContext& project,
                                           const SectionKey& section) {
    const auto table = dbf::Table::open(goodsTable(project), dbf::OpenMode::ReadOnly);
    const storage::RowFilter inSection(table, sectionConditions(section));
    std::vector<StoredProduct> out;
    table.scan([&](const dbf::Record& r) {
        if (inSection(r)) {
            ProductRow row = readProductRow(r);
            const ProductRef ref = ProductRef::of(row, r.recno());
            out.push_back({std::move(row), ref});
        }
        return true;
    });
    std::stable_sort(out.begin(), out.end(), [](const StoredProduct& a, const StoredProduct& b) {
        return a.row.poradi < b.row.poradi;
    });
    return out;
}

int nextPoradi(const storage::ProjectContext& project, const SectionKey& section) {
    const auto table = dbf::Table::open(goodsTable(project), dbf::OpenMode::ReadOnly);
    const storage::RowFilter inSection(table, sectionConditions(section));
    const int poradi = table.fieldIndex("PORADI");
    table.field("PORADI");
    int largest = 0;
    table.scan([&](const dbf::Record& r) {
        if (inSection(r)) {
            largest = std::max(largest, static_cast<int>(r.integer(poradi).value_or(0)));
        }
        return true;
    });
    return largest + 1;
}

std::optional<StoredProduct> findProduct(const storage::ProjectContext& project,
                                         const ProductRef& ref) {
    const auto table = dbf::Table::open(goodsTable(project), dbf::OpenMode::ReadOnly);
    const auto row = rowAt(table, ref);
    if (!row) {
        return std::nullopt;
    }
    return StoredProduct{readProductRow(*row), ref};
}

StoredProduct readProduct(const storage::ProjectContext& project, const ProductRef& ref) {
    auto found = findProduct(project, ref);
    if (!found) {
        throw Error(kProductGone);
    }
    return std::move(*found);
}

StoredProduct insertProduct(const storage::ProjectContext& project, const ProductRow& row) {
    auto table = dbf::Table::open(goodsTable(project));
    checkStorable(table, row, std::nullopt);
    dbf::Record record = table.blankRecord();
    writeProductRow(row, record);
    const std::uint32_t recno = table.append(record);
    return {row, ProductRef::of(row, recno)};
}

ProductRef updateProduct(const storage::ProjectContext& project, const ProductRef& original,
                         const ProductRow& edited) {
    auto table = dbf::Table::open(goodsTable(project));
    auto row = rowAt(table, original);
    if (!row) {
        throw Error(kProductGone);
    }
    checkStorable(table, edited, original.recno);
    writeProductRow(edited, *row);
    table.update(*row);
    return ProductRef::of(edited, original.recno);
}

const char* deleteQuestion(std::size_t count) {
    return count > 1 ? kDeleteManyProductsQuestion : kDeleteOneProductQuestion;
}

int deleteProducts(const storage::ProjectContext& project, const std::vector<ProductRef>& marked) {
    if (marked.empty()) {
        return 0;
    }
    auto table = dbf::Table::open(goodsTable(project));
    int deleted = 0;
    for (const ProductRef& ref : marked) {
        // A set keeps its breakdown (kompot.dbf, sestsk.dbf): it belongs to the set's code, and
        // every other placement of the set shares it. Removing a breakdown that no row uses any
        // more is the work of the sets.
        if (rowAt(table, ref)) {
            table.setDeleted(ref.recno);
            ++deleted;
        }
    }
    return deleted;
}

int deleteProductsAsked(const storage::ProjectContext& project,
                        const std::vector<ProductRef>& marked, Prompter& prompter) {
    if (marked.empty() || !prompter.questionYesNo(deleteQuestion(marked.size()))) {
        return 0;
    }
    return deleteProducts(project, marked);
}

} // namespace arkona::catalogue
