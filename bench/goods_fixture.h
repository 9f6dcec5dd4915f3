#pragma once

// Product sections for the synthetic shops of site_fixture.h: every page but the frame-set page
// gets a product section after its two text sections, with goods placed from a catalogue of
// makeCatalogue's codes, and optionally one page with a very large section.

#include "base/dbf/table.h"
#include "site/page_rows.h"
#include "site_fixture.h"
#include "storage/schema.h"

#include <filesystem>
#include <string>
#include <vector>

namespace arkona::bench {

struct GoodsShape {
    int perPage = 10;      // goods in the product section of each page
    int bigSection = 0;    // goods of one more section on the first top-level page (SEKCEID 4)
    int picturesEvery = 4; // every n-th line has a picture (kept in _obr, copied on generation)
    int catalogueSize = 100000; // codes "ZB-100000" on, as makeCatalogue writes them
};

// The second product template of the sample style, used by every third page.
inline constexpr const char* kSecondProductTemplate = "akce.qsp";

// Copies the templates and shop settings of `templates` (a style's _sablony) into the project.
inline void copyTemplates(const fs::path& project, const fs::path& templates) {
    fs::create_directories(project / "_sablony");
    for (const auto& entry : fs::directory_iterator(templates)) {
        fs::copy_file(entry.path(), project / "_sablony" / entry.path().filename(),
                      fs::copy_options::overwrite_existing);
    }
}

// A GIF of one pixel.
inline void writePixelGif(const fs::path& file) {
    static const unsigned char gif[] = {
        0x47, 0x49, 0x46, 0x38, 0x39, 0x61, 0x01, 0x00, 0x01, 0x00, 0x80, 0x00, 0x00, 0xFF, 0xFF,
        0xFF, 0x00, 0x00, 0x00, 0x21, 0xF9, 0x04, 0x01, 0x00, 0x00, 0x00, 0x00, 0x2C, 0x00, 0x00,
        0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x00, 0x02, 0x02, 0x44, 0x01, 0x00, 0x3B};
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(gif), sizeof gif);
}

// Adds the product sections and their goods to a project written by makeProject. Returns the
// number of goods lines.
inline int addProductSections(const fs::path& project, const std::vector<SyntheticPage>& pages,
                              const fs::path& templates, const GoodsShape& shape = {}) {
    copyTemplates(project, templates);
    fs::create_directories(project / "_obr");
    for (int i = 0; i < 3; ++i) {
        writePixelGif(project / "_obr" / ("caj" + std::to_string(i) + ".gif"));
    }
    const auto file = [&](const char* name) { return project / "_dbf" / name; };
    int firstTopLevel = 0;
    {
        auto table = dbf::Table::open(file(storage::kHtml));
        std::vector<dbf::Record> rows;
        const auto section = [&](const std::string& id, int number, const std::string& sabid) {
            auto r = table.blankRecord();
            r.setText("HTMLID", id);
            r.setNumber("SEKCEID", number);
            r.setNumber("PORADI", number);
            r.setText("TYP", "p");
            r.setText("POPIS", "Nabídka");
            r.setText("SABID", sabid);
            rows.push_back(std::move(r));
        };
        for (const auto& p : pages) {
            if (p.number == 1) {
                continue;
            }
            firstTopLevel = firstTopLevel ? firstTopLevel : p.number;
            section(site::pageIdentifier(p.number), 3,
                    p.number % 3 == 0 ? kSecondProductTemplate : "");
            if (shape.bigSection > 0 && p.number == firstTopLevel) {
                section(site::pageIdentifier(p.number), 4, "");
            }
        }
        table.append(rows);
    }
    auto table = dbf::Table::open(file(storage::kZbozi));
    int lines = 0;
    std::vector<dbf::Record> rows;
    const auto flush = [&] {
        table.append(rows);
        rows.clear();
    };
    const auto good = [&](const std::string& id, int sectionId, int order) {
        auto r = table.blankRecord();
        const int n = lines++;
        r.setText("HTMLID", id);
        r.setNumber("SEKCEID", sectionId);
        r.setNumber("PORADI", order);
        r.setText("KOD", "ZB-" + std::to_string(100000 + n % shape.catalogueSize));
        r.setText("NAZEV", "Čaj zelený „Sencha“ č. " + std::to_string(n) + ", balení 100 g");
        if (n % 2 == 0) {
            r.setMemo("POPIS", "Jemný japonský čaj se svěží chutí, sklizeň z jara.\r\nDruhý "
                               "řádek popisu s 'apostrofem'.");
        }
        const double price = 10 + (n % 1000) * 1.37;
        r.setNumber("P_CENA", price);
        r.setNumber("P_CENA_DPH", price * 1.21);
        r.setText("P_IDPH", "H");
        r.setNumber("SLEVA", n % 5 == 0 ? 10 : 0);
        r.setText("TYP", "K");
        if (shape.picturesEvery > 0 && n % shape.picturesEvery == 0) {
            r.setText("OBRAZEK", "caj" + std::to_string(n % 3) + ".gif");
        }
        r.setNumber("KS_MAX", 30);
        r.setNumber("KS_KROK", 1);
        r.setText("MJ", "ks");
        r.setText("ROUND", std::to_string(n % 3));
        rows.push_back(std::move(r));
        if (rows.size() >= 10000) {
            flush();
        }
    };
    for (const auto& p : pages) {
        if (p.number == 1) {
            continue;
        }
        for (int i = 1; i <= shape.perPage; ++i) {
            good(site::pageIdentifier(p.number), 3, i);
        }
        if (shape.bigSection > 0 && p.number == firstTopLevel) {
            for (int i = 1; i <= shape.bigSection; ++i) {
                good(site::pageIdentifier(p.number), 4, i);
            }
        }
    }
    flush();
    return lines;
}

} // namespace arkona::bench
