#pragma once

#include <string>
#include <vector>

namespace arkona::storage {
class TData2;
struct ProjectContext;
} // namespace arkona::storage

namespace arkona::catalogue {

struct Distributor {
    int id = 0;
    std::string name;
};

// The distributors ordered by name (Czech collation), as the lists of the editors show them.
std::vector<Distributor> readDistributors(const storage::ProjectContext& project);

// The number of a new distributor: one above the largest DISTID that a distributor, an item or a
// group uses, so a newcomer never inherits the items of a deleted distributor.
int nextDistributorId(const storage::ProjectContext& project);

// The distributor list of TfrmDistr on the data module's qDistrib (ordered by name). Each
// operation stores at once and leaves the view on the distributor it touched.
class DistributorList {
public:
    DistributorList(storage::TData2& data, const storage::ProjectContext& project);

    void open();
    int count() const;
    std::vector<Distributor> rows() const;
    // The current distributor's number, 0 when the list is empty.
    int currentId() const;
    void select(int id);

    // Appends a distributor with the next number; returns it.
    int add(const std::string& name);
    void rename(const std::string& name);
    // Deletes the current distributor; items and groups keep its number.
    void remove();

private:
    storage::TData2& data_;
    const storage::ProjectContext& project_;
};

inline constexpr const char* kDeleteDistributorQuestion =
    "Opravdu chcete tohoto distributora zrušit?";

} // namespace arkona::catalogue
