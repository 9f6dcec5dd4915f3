#include "catalogue/distributors.h"

#include "base/collation.h"
#include "base/dbf/table.h"
#include "catalogue/tables.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/schema.h"

#include <algorithm>

namespace arkona::catalogue {

namespace {

int largestOf(const std::filesystem::path& file, const char* column) {
    long long largest = 0;
    dbf::Table::open(file, dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
        largest = std::max(largest, r.integerOr(column, 0));
        return true;
    });
    return static_cast<int>(largest);
}

} // namespace

std::vector<Distributor> readDistributors(const storage::ProjectContext& project) {
    std::vector<Distributor> out;
    dbf::Table::open(projectTable(project, storage::kDistrib), dbf::OpenMode::ReadOnly)
        .scan([&](const dbf::Record& r) {
            if (!r.isBlank("DISTID")) {
                out.push_back({static_cast<int>(r.integerOr("DISTID", 0)), r.text("NAZEV")});
            }
            return true;
        });
    const auto& collator = text::CzechCollator::instance();
    std::stable_sort(out.begin(), out.end(), [&](const Distributor& a, const Distributor& b) {
        return collator.less(a.name, b.name);
    });
    return out;
}

int nextDistributorId(const storage::ProjectContext& project) {
    return std::max({largestOf(projectTable(project, storage::kDistrib), "DISTID"),
                     largestOf(projectTable(project, storage::kKatalog), "DISTID"),
                     largestOf(projectTable(project, storage::kSkupiny), "DISTID")}) +
           1;
}

DistributorList::DistributorList(storage::TData2& data, const storage::ProjectContext& project)
    : data_(data), project_(project) {}

void DistributorList::open() {
    data_.qDistrib.close();
    data_.qDistrib.open();
}

int DistributorList::count() const {
    return data_.qDistrib.rowCount();
}

std::vector<Distributor> DistributorList::rows() const {
    std::vector<Distributor> out;
    for (const auto& r : data_.qDistrib.rows()) {
        out.push_back({static_cast<int>(r.integerOr("DISTID", 0)), r.text("NAZEV")});
    }
    return out;
}

int DistributorList::currentId() const {
    const auto& q = data_.qDistrib;
    return q.isOpen() && !q.isEmpty() ? static_cast<int>(q.integer("DISTID")) : 0;
}

void DistributorList::select(int id) {
    data_.qDistrib.locate("DISTID", static_cast<double>(id));
}

int DistributorList::add(const std::string& name) {
    const int id = nextDistributorId(project_);
    auto& q = data_.qDistrib;
    q.insert();
    q.setNumber("DISTID", id);
    q.setText("NAZEV", name);
    q.post();
    try {
        data_.DISTRIB_UPDATE(2);
    } catch (...) {
        q.refresh();
        throw;
    }
    q.refresh();
    select(id);
    return id;
}

void DistributorList::rename(const std::string& name) {
    auto& q = data_.qDistrib;
    const int id = currentId();
    q.setText("NAZEV", name);
    q.post();
    try {
        data_.DISTRIB_UPDATE(1);
    } catch (...) {
        q.refresh();
        throw;
    }
    q.refresh();
    select(id);
}

void DistributorList::remove() {
    data_.DISTRIB_UPDATE(3);
    data_.qDistrib.dropCurrent();
}

} // namespace arkona::catalogue
