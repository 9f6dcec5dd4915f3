#include "site/page_rows.h"

#include "base/error.h"
#include "base/paths.h"
#include "base/textcase.h"
#include "storage/schema.h"

#include <algorithm>
#include <charconv>

namespace arkona::site {

namespace {

std::string trimmed(const dbf::Record& r, int col) {
    return col < 0 ? std::string() : std::string(text::trim(r.text(col)));
}

struct Columns {
    int id, parent, title, src, path, disk, link, expand, number, order;

    explicit Columns(const dbf::Record& r) {
        const auto at = [&](const char* name) { return r.column(name); };
        id = at("HTMLID");
        parent = at("PARENT");
        title = at("POPIS");
        src = at("SRC");
        path = at("PATH");
        disk = at("DISK");
        link = at("LINK");
        expand = at("EXPAND");
        number = at("N_HTMLID");
        order = at("PORADI");
    }
};

PageRow rowOf(const dbf::Record& r, const Columns& c) {
    PageRow row;
    row.recno = r.recno();
    row.id = trimmed(r, c.id);
    row.parent = trimmed(r, c.parent);
    row.title = trimmed(r, c.title);
    row.src = trimmed(r, c.src);
    row.path = trimmed(r, c.path);
    row.disk = trimmed(r, c.disk);
    row.link = r.logical(c.link).value_or(false);
    row.expand = r.logical(c.expand).value_or(false);
    row.number = r.integer(c.number).value_or(pageNumberOf(row.id));
    row.order = r.number(c.order);
    return row;
}

long long largestIdentifier(const std::filesystem::path& file, bool withNumberColumn) {
    const auto table = dbf::Table::open(file, dbf::OpenMode::ReadOnly);
    const int id = table.fieldIndex("HTMLID");
    const int number = withNumberColumn ? table.fieldIndex("N_HTMLID") : -1;
    long long best = 0;
    table.scan([&](const dbf::Record& r) {
        if (id >= 0) {
            best = std::max(best, pageNumberOf(text::trim(r.text(id))));
        }
        if (number >= 0) {
            best = std::max(best, r.integer(number).value_or(0));
        }
        return true;
    });
    return best;
}

} // namespace

long long pageNumberOf(std::string_view htmlid) {
    htmlid = text::trim(htmlid);
    if (htmlid.size() < 2 || htmlid.back() != '_') {
        return 0;
    }
    long long n = 0;
    const auto digits = htmlid.substr(0, htmlid.size() - 1);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
    return ec == std::errc() && end == digits.data() + digits.size() && n > 0 ? n : 0;
}

std::string pageIdentifier(long long number) {
    return std::to_string(number) + "_";
}

std::vector<PageRow> readPageRows(const dbf::Table& table) {
    std::vector<PageRow> rows;
    rows.reserve(table.recordCount());
    std::optional<Columns> columns;
    table.scan([&](const dbf::Record& r) {
        if (!columns) {
            columns.emplace(r);
        }
        rows.push_back(rowOf(r, *columns));
        return true;
    });
    return rows;
}

std::vector<PageRow> readPageRows(const std::filesystem::path& strukturFile) {
    return readPageRows(dbf::Table::open(strukturFile, dbf::OpenMode::ReadOnly));
}

std::vector<PageRow> readPageRows(const std::vector<dbf::Record>& records) {
    std::vector<PageRow> rows;
    rows.reserve(records.size());
    std::optional<Columns> columns;
    for (const auto& r : records) {
        if (r.deleted()) {
            continue;
        }
        if (!columns) {
            columns.emplace(r);
        }
        rows.push_back(rowOf(r, *columns));
    }
    return rows;
}

long long largestPageNumber(const std::filesystem::path& projectFolder) {
    const auto table = [&](const char* name) {
        return paths::resolve(projectFolder, std::string("\\_dbf\\") + name);
    };
    long long best = largestIdentifier(table(storage::kStruktur), true);
    for (const char* variables : {storage::kPromSys, storage::kPromUsr}) {
        const auto file = table(variables);
        std::error_code ec;
        if (std::filesystem::exists(file, ec)) {
            best = std::max(best, largestIdentifier(file, false));
        }
    }
    return best;
}

double largestOrder(const std::filesystem::path& strukturFile) {
    const auto table = dbf::Table::open(strukturFile, dbf::OpenMode::ReadOnly);
    const int col = table.fieldIndex("PORADI");
    double best = 0;
    bool any = false;
    table.scan([&](const dbf::Record& r) {
        if (const auto v = r.number(col)) {
            best = any ? std::max(best, *v) : *v;
            any = true;
        }
        return true;
    });
    return best;
}

// ---------------------------------------------------------------- PageRowWriter

PageRowWriter::PageRowWriter(const std::filesystem::path& strukturFile)
    : table_(dbf::Table::open(strukturFile)), idColumn_(table_.fieldIndex("HTMLID")) {
    table_.field("HTMLID"); // reports a table without the column
}

std::optional<std::uint32_t> PageRowWriter::locate(std::uint32_t recno, std::string_view id) {
    if (recno < table_.recordCount()) {
        const auto r = table_.read(recno);
        if (!r.deleted() && text::trim(r.text(idColumn_)) == id) {
            return recno;
        }
    }
    if (!byId_) {
        byId_.emplace();
        table_.scan([&](const dbf::Record& r) {
            (*byId_)[std::string(text::trim(r.text(idColumn_)))].push_back(r.recno());
            return true;
        });
    }
    const auto it = byId_->find(std::string(id));
    if (it == byId_->end()) {
        return std::nullopt;
    }
    std::erase_if(it->second, [&](std::uint32_t n) { return table_.read(n).deleted(); });
    if (it->second.size() != 1) {
        return std::nullopt;
    }
    return it->second.front();
}

std::optional<dbf::Record> PageRowWriter::read(std::uint32_t recno, std::string_view id) {
    const auto at = locate(recno, id);
    if (!at) {
        return std::nullopt;
    }
    return table_.read(*at);
}

void PageRowWriter::set(std::uint32_t recno, std::string_view id,
                        const std::vector<storage::Assignment>& values) {
    const auto at = locate(recno, id);
    if (!at) {
        throw Error(storage::kUpdateFailed);
    }
    auto record = table_.read(*at);
    for (const auto& a : values) {
        storage::assign(record, a);
    }
    table_.update(record);
}

void PageRowWriter::remove(std::uint32_t recno, std::string_view id) {
    const auto at = locate(recno, id);
    if (!at) {
        throw Error(storage::kUpdateFailed);
    }
    table_.setDeleted(*at);
}

} // namespace arkona::site
