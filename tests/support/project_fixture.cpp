#include "support/project_fixture.h"

#include "base/dbf/table.h"
#include "storage/schema.h"
#include "support/temp_dir.h"

namespace arkona::test {

std::filesystem::path samplesFolder() {
    return ARKONA_SAMPLES_DIR;
}

std::filesystem::path copySampleProject(const std::filesystem::path& folder,
                                        const std::string& style, const std::string& name) {
    const auto target = folder / name;
    std::filesystem::copy(samplesFolder() / style, target,
                          std::filesystem::copy_options::recursive);
    return target;
}

std::filesystem::path makeEmptyProject(const std::filesystem::path& folder,
                                       const std::string& name) {
    const auto project = folder / name;
    std::filesystem::create_directories(project / "_dbf");
    writeFile(project / "ArkonaTree.ini", "[Projekt]\r\nName=Prázdný\r\n");
    for (const auto& schema : storage::projectTables()) {
        dbf::Table::create(project / "_dbf" / schema.fileName, schema.fields());
    }
    return project;
}

} // namespace arkona::test
