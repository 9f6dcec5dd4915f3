#include "base/error.h"
#include "catalogue/calculated_columns.h"
#include "example_items.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "support/other_process.h"
#include "support/project_fixture.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

using storage::Value;

struct CalculatedColumns : ::testing::Test {
    test::TempDir dir;
    storage::ProjectContext context;
    storage::TData2 data;
    int asked = 0; // how often qKatalog was asked for a calculated column

    CalculatedColumns() {
        context.setProjectFolder(test::makeEmptyProject(dir.path()));
        storage::readArkonaTree(context);
        const auto tables = context.projectFolder / "_dbf";
        std::vector<test::Row> items;
        for (const auto& e : test::exampleItems()) {
            items.push_back(e.row());
        }
        test::appendRows(tables / "katalog.dbf", items);
        test::appendRows(tables / "skupiny.dbf", {{{"SKUPID", 1}, {"NAZEV", "Čaje"}}});
        test::appendRows(tables / "zbozi.dbf", {{{"HTMLID", "8_"},
                                                 {"SEKCEID", 2},
                                                 {"PORADI", 1},
                                                 {"TYP", "K"},
                                                 {"KOD", "C12"},
                                                 {"P_CENA", 99.99},
                                                 {"P_CENA_DPH", 121.99},
                                                 {"SLEVA", 10},
                                                 {"ROUND", "2"}}});
        test::appendRows(tables / "kompot.dbf",
                         {{{"KOD_ZB", "S"}, {"SKUPID", 1}, {"KOD", "C7"}, {"P_IDPH", "L"}},
                          {{"KOD_ZB", "S"}, {"SKUPID", 1}, {"KOD", "C9"}, {"P_IDPH", "R"}}});
        data.qKatalog.addCalculatedColumns([this](const dbf::Record&, std::string_view) {
            ++asked;
            return std::optional<Value>();
        });
        installCalculatedColumns(data, context);
        data.SetProjectPath(context.projectFolder);
    }
    double number(const storage::DataView& view, const char* column) {
        return std::get<double>(view.calculated(column));
    }
};

TEST_F(CalculatedColumns, ItemValuesAreComputedFromTheCurrentRowWhenAsked) {
    data.SKUPINY_SetSkupID(1);
    ASSERT_EQ(data.qKatalog.rowCount(), 14);
    EXPECT_EQ(asked, 0); // opening computes nothing
    ASSERT_TRUE(data.qKatalog.locate("KOD", std::string("c11")));
    const double l = number(data.qKatalog, "L");
    asked = 0;
    EXPECT_EQ(number(data.qKatalog, "P_CENA"), 47.4);
    EXPECT_EQ(number(data.qKatalog, "p_cena_dph"), 49.7);
    EXPECT_EQ(number(data.qKatalog, "SLEVA_KC"), 4.74);
    EXPECT_EQ(asked, 3);
    // A grid asks for the rows it shows.
    EXPECT_EQ(std::get<double>(data.qKatalog.calculated(0, "P_CENA_DPH")), 1.1); // C1
    // An edit of the current row shows at once.
    data.qKatalog.setNumber("P_L", 100);
    EXPECT_EQ(number(data.qKatalog, "L"), 105);
    data.qKatalog.cancel();
    EXPECT_EQ(number(data.qKatalog, "L"), l);
    EXPECT_EQ(test::errorOf([&] { data.qKatalog.calculated("CENA"); }),
              "Pohled qKatalog nemá počítaný sloupec CENA.");
    EXPECT_EQ(test::errorOf([&] { data.qKatalog.calculated(14, "L"); }),
              "Pohled qKatalog nemá řádek 15.");
}

TEST_F(CalculatedColumns, SwitchedOffNothingIsComputed) {
    data.SKUPINY_SetSkupID(1);
    RecalcKatalog(data, false);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(data.qKatalog.calculated("P_CENA")));
    RecalcKatalog(data, true);
    EXPECT_EQ(number(data.qKatalog, "P_CENA"), 1.1);

    // A pass switches it off and on again, also when it ends by an error; passes nest.
    try {
        CatalogueCalculationOff pass(data);
        { CatalogueCalculationOff inner(data); }
        EXPECT_FALSE(data.catalogueCalculation);
        throw Error("Storno");
    } catch (const Error&) {
    }
    EXPECT_TRUE(data.catalogueCalculation);
    EXPECT_EQ(number(data.qKatalog, "P_CENA"), 1.1);
}

TEST_F(CalculatedColumns, GoodsAndComponents) {
    data.qZbozi.setParameter("HTMLID", std::string("8_"));
    data.qZbozi.setParameter("SEKCEID", 2.0);
    data.qZbozi.open();
    EXPECT_EQ(number(data.qZbozi, "TMP_P_CENA"), 100);
    EXPECT_EQ(number(data.qZbozi, "TMP_P_CENA_DPH"), 122);
    EXPECT_EQ(number(data.qZbozi, "TMP_SLEVA_KC"), 10);
    EXPECT_EQ(number(data.qZbozi, "TMP_P_CENA_SL"), 90);
    EXPECT_EQ(number(data.qZbozi, "TMP_P_CENA_DPH_SL"), 110);
    data.qKompot.open();
    EXPECT_EQ(std::get<std::string>(data.qKompot.calculated("TMP_IDPH")), "5 %");
    data.qKompot.next();
    EXPECT_EQ(std::get<std::string>(data.qKompot.calculated("TMP_IDPH")), "rozepsaná daň");
    // The rates are those of the project open when the value is asked for.
    context.reducedVat = 10;
    context.reducedVatCaption = "10 %";
    data.qKompot.first();
    EXPECT_EQ(std::get<std::string>(data.qKompot.calculated("TMP_IDPH")), "10 %");
    data.SKUPINY_SetSkupID(1);
    data.qKatalog.locate("KOD", std::string("C7"));
    EXPECT_EQ(number(data.qKatalog, "P_CENA_DPH"), 110);
}

} // namespace
} // namespace arkona::catalogue
