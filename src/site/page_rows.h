#pragma once

#include "base/dbf/table.h"
#include "storage/statements.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace arkona::site {

// What the page tree reads of one live row of struktur.dbf. Texts are trimmed.
struct PageRow {
    std::uint32_t recno = 0;
    std::string id;
    std::string parent;
    std::string title;
    std::string src;
    std::string path;
    std::string disk;
    bool link = false;
    bool expand = false;
    long long number = 0;        // N_HTMLID, or the digits of HTMLID when that is blank
    std::optional<double> order; // PORADI; nullopt when blank
};

// The live rows of a page table in file order.
std::vector<PageRow> readPageRows(const dbf::Table& table);
std::vector<PageRow> readPageRows(const std::filesystem::path& strukturFile);
// The same from rows some view has read (the generator's own queries, the data module's qTree).
std::vector<PageRow> readPageRows(const std::vector<dbf::Record>& records);

// "12_" gives 12; anything that is not digits followed by "_" gives 0.
long long pageNumberOf(std::string_view htmlid);
// 12 gives "12_".
std::string pageIdentifier(long long number);

// The largest page number in use: N_HTMLID and HTMLID of the page table and the HTMLID of the
// two variable tables, whose rows outlive a deleted page. A new page takes the next number so
// that it never inherits another page's variables. 0 when there is none.
long long largestPageNumber(const std::filesystem::path& projectFolder);
// The largest PORADI of the page table; 0 when there is none.
double largestOrder(const std::filesystem::path& strukturFile);

// Writes to page rows found by their place in the file, checking that the place still holds the
// page; when it does not (the table was packed meanwhile), the page is looked up by HTMLID.
// A page that is not there exactly once fails with "Update failed", as the write operations do.
// One open table for any number of writes.
class PageRowWriter {
public:
    explicit PageRowWriter(const std::filesystem::path& strukturFile);

    void set(std::uint32_t recno, std::string_view id,
             const std::vector<storage::Assignment>& values);
    void remove(std::uint32_t recno, std::string_view id);
    // Appends a prepared record; returns its place.
    std::uint32_t append(dbf::Record& record) { return table_.append(record); }
    dbf::Record blankRecord() const { return table_.blankRecord(); }
    // The live row of a page, or nullopt.
    std::optional<dbf::Record> read(std::uint32_t recno, std::string_view id);
    dbf::Table& table() { return table_; }

private:
    std::optional<std::uint32_t> locate(std::uint32_t recno, std::string_view id);
    dbf::Table table_;
    int idColumn_;
    std::optional<std::unordered_map<std::string, std::vector<std::uint32_t>>> byId_;
};

} // namespace arkona::site
