#pragma once

#include "base/dbf/table.h"
#include "base/textcase.h"
#include "storage/project_context.h"
#include "support/project_fixture.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <string>
#include <vector>

namespace arkona::test {

// An empty project with helpers to fill the catalogue tables and read them back as text, through
// a fresh handle after the code under test has closed its own.
struct CatalogueProject {
    TempDir dir;
    storage::ProjectContext project;

    CatalogueProject() {
        project.setProjectFolder(makeEmptyProject(dir.path()));
        storage::readArkonaTree(project);
    }
    std::filesystem::path table(const char* name) const {
        return project.projectFolder / "_dbf" / name;
    }

    static Row group(int id, const std::string& name, int parent, int poradi) {
        return {{"SKUPID", id}, {"NAZEV", name}, {"PARENT", parent}, {"PORADI", poradi}};
    }
    static Row item(int group, const std::string& code, const std::string& name = "") {
        return {
            {"SKUPID", group}, {"KOD", code},   {"NAZEV", name.empty() ? "Zboží " + code : name},
            {"N_IDPH", "H"},   {"P_IDPH", "H"}, {"P_H", 100}};
    }
    static Row product(const std::string& code, const char* type, int order = 1) {
        return {{"HTMLID", "8_"}, {"SEKCEID", 1}, {"PORADI", order},
                {"TYP", type},    {"KOD", code},  {"NAZEV", "na stránce " + code}};
    }
    static Row component(const std::string& code, const char* type) {
        return {{"KOD_ZB", "SADA"}, {"SKUPID", 1}, {"TYP", type}, {"KOD", code}, {"NAZEV", code}};
    }
    void add(const char* name, const std::vector<Row>& rows) const {
        appendRows(table(name), rows);
    }

    // Each live row as the given columns joined by " ".
    std::vector<std::string> rows(const char* name, const std::vector<std::string>& columns) const {
        std::vector<std::string> out;
        const auto t = dbf::Table::open(table(name), dbf::OpenMode::ReadOnly);
        t.scan([&](const dbf::Record& r) {
            std::string line;
            for (const auto& c : columns) {
                line += (line.empty() ? "" : " ") + std::string(text::trim(r.display(r.column(c))));
            }
            out.push_back(std::string(text::trimRight(line)));
            return true;
        });
        return out;
    }
};

} // namespace arkona::test
