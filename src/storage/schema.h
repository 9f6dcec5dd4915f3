#pragma once

#include "base/dbf/field.h"

#include <string>
#include <string_view>
#include <vector>

namespace arkona::storage {

// One column of a project table. Columns that the table upgrade adds to older projects are
// marked, so that fixtures of the older format can leave them out.
struct ColumnSchema {
    dbf::FieldDef field;
    bool addedByUpgrade = false;
};

struct TableSchema {
    std::string fileName; // "struktur.dbf"
    std::vector<ColumnSchema> columns;

    std::vector<dbf::FieldDef> fields() const;              // the current format
    std::vector<dbf::FieldDef> fieldsBeforeUpgrade() const; // the older format
    const ColumnSchema* column(std::string_view name) const;
};

// The eleven tables of a project in the order the program lists them, then import.dbf.
const std::vector<TableSchema>& projectTables();
// The schema of one table by file name (any letter case); throws when unknown.
const TableSchema& tableSchema(std::string_view fileName);

inline constexpr const char* kStruktur = "struktur.dbf";
inline constexpr const char* kHtml = "html.dbf";
inline constexpr const char* kZbozi = "zbozi.dbf";
inline constexpr const char* kKatalog = "katalog.dbf";
inline constexpr const char* kSkupiny = "skupiny.dbf";
inline constexpr const char* kKompot = "kompot.dbf";
inline constexpr const char* kSestSk = "sestsk.dbf";
inline constexpr const char* kDistrib = "distrib.dbf";
inline constexpr const char* kPromSys = "prom_sys.dbf";
inline constexpr const char* kPromUsr = "prom_usr.dbf";
inline constexpr const char* kImport = "import.dbf";

// Reserved catalogue groups of the import.
inline constexpr int kImportGroup = 9998;
inline constexpr int kImportErrorGroup = 9999;

} // namespace arkona::storage
