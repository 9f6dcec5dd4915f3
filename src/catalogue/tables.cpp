#include "catalogue/tables.h"

#include "base/paths.h"
#include "storage/project_context.h"

namespace arkona::catalogue {

std::filesystem::path projectTable(const storage::ProjectContext& project, const char* fileName) {
    return paths::resolve(project.projectFolder, std::string("\\_dbf\\") + fileName);
}

std::filesystem::path pictureFolder(const storage::ProjectContext& project) {
    return paths::resolve(project.projectFolder, "\\_obr");
}

} // namespace arkona::catalogue
