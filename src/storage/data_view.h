#pragma once

#include "base/dbf/table.h"
#include "storage/value.h"

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arkona::storage {

enum class ViewKind {
    Direct,   // every posted change is stored in the table at once
    Buffered, // posted changes stay in the view until a write operation stores them
    ReadOnly,
};

struct ViewDefinition {
    std::string name;                    // "qStruktur"
    std::string table;                   // "struktur.dbf"
    std::vector<std::string> columns;    // the columns the view offers; empty: all
    std::vector<std::string> parameters; // filter: each column equals its parameter
    std::vector<std::string> order;      // sort columns; empty: stored order
    ViewKind kind = ViewKind::Direct;
};

// How locate compares: whole key or its beginning, with or without regard to letter case.
struct LocateOptions {
    bool caseInsensitive = true;
    bool partialKey = false;
};

// The ordered rows of one table that a filter with parameters selects, with a current row.
class DataView {
public:
    explicit DataView(ViewDefinition definition);
    DataView(const DataView&) = delete;
    DataView& operator=(const DataView&) = delete;

    const std::string& name() const { return definition_.name; }
    ViewKind kind() const { return definition_.kind; }
    const ViewDefinition& definition() const { return definition_; }

    // Names the table file of the open project; closes the view.
    void bind(const std::filesystem::path& tableFile);
    const std::filesystem::path& tableFile() const { return tableFile_; }

    void setParameter(std::string_view column, Value value);
    const Value& parameter(std::string_view column) const;
    void setFilterEnabled(bool on) { filterEnabled_ = on; }
    bool filterEnabled() const { return filterEnabled_; }
    // A further narrowing of the rows (applied at open and refresh); empty: none.
    void setRowFilter(std::function<bool(const dbf::Record&)> filter);

    // Reads the rows; the first row becomes current and the row-changed handlers run.
    void open();
    void close();
    bool isOpen() const { return open_; }
    // Reads the rows again and stays on the same table row when it is still there.
    void refresh();

    int rowCount() const { return static_cast<int>(rows_.size()); }
    bool isEmpty() const { return rows_.empty(); }
    int position() const { return position_; } // -1 when empty
    bool eof() const { return eof_; }          // a move past the last row was tried
    bool bof() const { return bof_; }
    void first();
    void next();
    void prior();
    void last();
    void moveTo(int position);
    bool locate(std::string_view column, const Value& value, LocateOptions options = {});
    // A mark of the current row that survives the row moving in the file (a pack): its stored
    // values without memo pointers. Empty when there is no current row.
    std::string bookmark() const;
    // Makes the first row with that mark current; false when there is none.
    bool gotoBookmark(const std::string& mark);

    // The current row; throws arkona::Error when the view is closed or empty.
    const dbf::Record& current() const;
    std::string text(std::string_view column) const { return current().text(column); }
    double number(std::string_view column) const { return current().numberOr(column); }
    long long integer(std::string_view column) const { return current().integerOr(column); }
    bool isTrue(std::string_view column) const { return current().isTrue(column); }
    std::string memo(std::string_view column) const { return current().memo(column); }
    bool isBlank(std::string_view column) const { return current().isBlank(column); }
    const std::vector<dbf::Record>& rows() const { return rows_; }

    // Columns that are not stored but computed from a row when asked (prices, captions). Each
    // provider answers for the columns it knows and nullopt for the others; the first answer
    // counts. Nothing is computed up front or for rows nobody asks about.
    using CalculatedColumns =
        std::function<std::optional<Value>(const dbf::Record& row, std::string_view column)>;
    void addCalculatedColumns(CalculatedColumns provider);
    // A calculated column of the current row, or of the row at `position` (for grids); throws
    // naming the column when no provider computes it.
    Value calculated(std::string_view column) const;
    Value calculated(int position, std::string_view column) const;

    // Editing the current row: the setters start an edit; post ends it.
    void insert(); // a new blank row after the others becomes current, in edit
    void setText(std::string_view column, std::string_view value);
    void setNumber(std::string_view column, double value);
    void setLogical(std::string_view column, bool value);
    void setDate(std::string_view column, std::optional<Date> value);
    void setMemo(std::string_view column, std::string_view value);
    void setBlank(std::string_view column);
    void setValue(std::string_view column, const Value& value);
    bool editing() const { return editing_; }
    void post();
    void cancel();
    // Deletes the current row: before-delete handlers, then the row (stored at once in a
    // direct view), then after-delete handlers; the next row becomes current.
    void remove();
    // Removes the current row from the view only (the caller has stored the deletion).
    void dropCurrent();

    using Handler = std::function<void(DataView&)>;
    int onRowChanged(Handler h) { return connect(rowChanged_, std::move(h)); }
    int onBeforePost(Handler h) { return connect(beforePost_, std::move(h)); }
    int onAfterPost(Handler h) { return connect(afterPost_, std::move(h)); }
    int onBeforeDelete(Handler h) { return connect(beforeDelete_, std::move(h)); }
    int onAfterDelete(Handler h) { return connect(afterDelete_, std::move(h)); }
    int onOpened(Handler h) { return connect(opened_, std::move(h)); }
    int onClosed(Handler h) { return connect(closed_, std::move(h)); }
    void disconnect(int id);

private:
    using Handlers = std::map<int, Handler>;
    int connect(Handlers& handlers, Handler h);
    void fire(Handlers& handlers);
    void load();
    void setPosition(int position, bool notify);
    dbf::Record& editRow(std::string_view column);
    dbf::Table& table();

    ViewDefinition definition_;
    std::filesystem::path tableFile_;
    std::map<std::string, Value> parameters_;
    bool filterEnabled_ = true;
    std::function<bool(const dbf::Record&)> rowFilter_;
    std::vector<CalculatedColumns> calculatedColumns_;
    std::optional<dbf::Table> table_;
    std::vector<dbf::Record> rows_;
    int position_ = -1;
    bool open_ = false;
    bool eof_ = false;
    bool bof_ = false;
    bool editing_ = false;
    bool inserting_ = false;
    std::optional<dbf::Record> saved_; // the row before the edit
    std::vector<int> changedColumns_;  // columns the edit set
    Handlers rowChanged_, beforePost_, afterPost_, beforeDelete_, afterDelete_, opened_, closed_;
    int nextHandler_ = 1;
};

} // namespace arkona::storage
