#pragma once

#include "catalogue/product_row.h"
#include "catalogue_project.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace arkona::test {

// A catalogue project with pages: "8_" "Čaje" in folder \caje with product sections 1 and 2,
// "9_" "Káva" at the top level with product section 2, "10_" "Kontakt" with a text section.
struct GoodsProject : CatalogueProject {
    GoodsProject() {
        appendRows(table("struktur.dbf"),
                   {{{"HTMLID", "8_"}, {"N_HTMLID", 8}, {"POPIS", "Čaje"}, {"DISK", "\\caje"}},
                    {{"HTMLID", "9_"}, {"N_HTMLID", 9}, {"POPIS", "Káva"}, {"DISK", ""}},
                    {{"HTMLID", "10_"}, {"N_HTMLID", 10}, {"POPIS", "Kontakt"}}});
        appendRows(table("html.dbf"), {{{"HTMLID", "8_"}, {"SEKCEID", 1}, {"TYP", "p"}},
                                       {{"HTMLID", "8_"}, {"SEKCEID", 2}, {"TYP", "p"}},
                                       {{"HTMLID", "9_"}, {"SEKCEID", 2}, {"TYP", "p"}},
                                       {{"HTMLID", "10_"}, {"SEKCEID", 1}, {"TYP", "t"}}});
    }

    static Row goods(const std::string& page, int section, int order, const char* type,
                     const std::string& code, const std::string& name = "") {
        return {{"HTMLID", page},  {"SEKCEID", section},
                {"PORADI", order}, {"TYP", type},
                {"KOD", code},     {"NAZEV", name.empty() ? "na stránce " + code : name}};
    }

    std::filesystem::path pageFolder() const { return project.siteFolder / "caje"; }

    static void writeFile(const std::filesystem::path& file, const std::string& content) {
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
    }
    static std::string readFile(const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

} // namespace arkona::test
