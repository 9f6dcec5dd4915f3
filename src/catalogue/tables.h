#pragma once

#include <filesystem>

namespace arkona::storage {
struct ProjectContext;
}

namespace arkona::catalogue {

// A table file of the open project's `_dbf` folder ("katalog.dbf"), found without regard to case.
std::filesystem::path projectTable(const storage::ProjectContext& project, const char* fileName);

// The project's picture folder of catalogue items, `_obr`.
std::filesystem::path pictureFolder(const storage::ProjectContext& project);

} // namespace arkona::catalogue
