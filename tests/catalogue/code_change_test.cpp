#include "base/dbf/table.h"
#include "base/error.h"
#include "catalogue/code_change.h"
#include "catalogue/price_update.h"
#include "storage/project_context.h"
#include "support/project_fixture.h"
#include "support/recorders.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

using Strings = std::vector<std::string>;

TEST(CodeChange, StoredItemsChangeTheirCodesWithTheirPrices) {
    test::TempDir dir;
    storage::ProjectContext project;
    project.setProjectFolder(test::makeEmptyProject(dir.path()));
    const auto katalog = project.projectFolder / "_dbf" / "katalog.dbf";
    test::appendRows(katalog, {{{"KOD", "AB"},
                                {"N_IDPH", "L"},
                                {"N_CENA", 80},
                                {"N_CENA_DPH", 84},
                                {"D_CENA", 90},
                                {"D_CENA_DPH", 94.5},
                                {"P_IDPH", "L"},
                                {"P_L", 100},
                                {"HOLD_L", true}},
                               {{"KOD", "A\"B'C"},
                                {"N_IDPH", "L"},
                                {"P_IDPH", "R"},
                                {"P_0", 10},
                                {"P_L", 20},
                                {"P_H", 30},
                                {"HOLD_0", true}},
                               {{"KOD", "ABC"}, {"N_IDPH", "L"}, {"P_IDPH", "L"}, {"P_L", 7}}});
    test::appendRows(project.projectFolder / "_dbf" / "zbozi.dbf",
                     {{{"HTMLID", "8_"}, {"SEKCEID", 2}, {"TYP", "K"}, {"KOD", "ab"}}});

    test::ScriptedPrompter prompter;
    const int changed = changeCodes(katalog, VatRates{}, CodeSet{"ab", "a\"b'c"},
                                    {VatCode::Base, VatCode::Base}, prompter);
    EXPECT_EQ(changed, 2);
    EXPECT_EQ(prompter.messages, Strings{"warning: Pevná cena nesmí být nulová!"});
    Strings stored;
    dbf::Table::open(katalog, dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
        std::string line = r.text("KOD");
        for (const char* c : {"N_IDPH", "N_CENA_DPH", "D_CENA_DPH", "P_IDPH", "P_0", "P_L", "P_H",
                              "HOLD_0", "HOLD_L"}) {
            line += " " + r.display(r.column(c));
        }
        stored.push_back(line);
        return true;
    });
    EXPECT_EQ(stored,
              (Strings{"AB H 97.60 109.80 H 0.0000 0.0000 100.0000 F F",
                       "A\"B'C H 0.00 0.00 H 0.0000 0.0000 60.0000 F F", "ABC L   L  7.0000   "}));

    // The page product now publishes the base rate.
    NoProgress progress;
    RecalcProd(project, nullptr, progress);
    const auto zbozi = dbf::Table::open(project.projectFolder / "_dbf" / "zbozi.dbf");
    const auto row = zbozi.read(0);
    EXPECT_EQ(row.text("P_IDPH"), "H");
    EXPECT_EQ(row.numberOr("P_CENA_DPH"), 122);

    EXPECT_THROW(changeCodes(katalog, VatRates{}, CodeSet{"AB"}, {VatCode::Split}, prompter),
                 Error);
}

} // namespace
} // namespace arkona::catalogue
