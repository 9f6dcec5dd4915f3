#include "base/dbf/table.h"
#include "example_items.h"
#include "support/project_fixture.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona {
namespace {

test::CommandResult arkona(const std::string& args) {
    return test::runCommand(std::string(ARKONA_CLI_PATH) + " " + args);
}

struct KatalogCommand : ::testing::Test {
    test::TempDir dir;
    std::filesystem::path project = test::makeEmptyProject(dir.path());

    std::filesystem::path table(const char* name) const { return project / "_dbf" / name; }
    std::string folder() const { return test::shellQuote(project.string()); }

    void fill() {
        test::appendRows(table("skupiny.dbf"), {{{"SKUPID", 1}, {"NAZEV", "Čaje"}, {"PORADI", 2}},
                                                {{"SKUPID", 3}, {"NAZEV", "Káva"}, {"PORADI", 1}}});
        std::vector<test::Row> items;
        for (const auto& e : test::exampleItems()) {
            items.push_back(e.row());
        }
        items.push_back(
            {{"SKUPID", 7}, {"KOD", "Z"}, {"NAZEV", "Bez skupiny"}, {"P_IDPH", "0"}, {"P_0", 1}});
        items.push_back({{"SKUPID", 3},
                         {"KOD", "K\"1"},
                         {"NAZEV", "Káva \"Arabica\", 250 g"},
                         {"N_IDPH", "L"},
                         {"N_CENA", 100},
                         {"N_CENA_DPH", 105},
                         {"MARZE", 12.5},
                         {"P_IDPH", "L"},
                         {"P_L", 112.5},
                         {"ROUND", "2"}});
        test::appendRows(table("katalog.dbf"), items);
    }
};

const char* kHeader = "SKUPID,KOD,NAZEV,N_IDPH,N_CENA,N_CENA_DPH,D_CENA,D_CENA_DPH,MARZE,P_IDPH,"
                      "P_0,P_L,P_H,ROUND,SLEVA,L,H,DPH_L,DPH_H,P_CENA,P_DPH,P_CENA_DPH,A_MARZE,"
                      "A_MARZE_KC,MARZE_KC,SLEVA_KC\n";

TEST_F(KatalogCommand, TheExamplePriceTableAsCsv) {
    fill();
    const auto r = arkona("katalog --csv " + folder());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, std::string(kHeader) +
                         "3,\"K\"\"1\",\"Káva \"\"Arabica\"\", 250 "
                         "g\",L,100.00,105.00,0.00,0.00,12.50,L,0.00,112.50,0.00,2,0.00,118.13,0."
                         "00,5.63,0.00,113.00,6.00,118.00,13.00,13.00,12.50,0.00\n"
                         "1,C1,Položka "
                         "C1,0,0.00,0.00,0.00,0.00,0.00,0,1.05,0.00,0.00,1,0.00,0.00,0.00,0.00,0."
                         "00,1.10,0.00,1.10,0.00,1.10,0.00,0.00\n"
                         "1,C10,Položka "
                         "C10,H,0.00,0.00,0.00,0.00,0.00,R,10.30,20.20,30.10,2,0.00,21.21,36.72,1."
                         "01,6.62,61.00,8.00,68.00,0.00,61.00,0.00,0.00\n"
                         "1,C11,Položka "
                         "C11,L,40.00,0.00,0.00,0.00,20.00,L,0.00,47.37,0.00,1,10.00,49.74,0.00,2."
                         "37,0.00,47.40,2.40,49.70,18.50,7.40,8.00,4.74\n"
                         "1,C12,Položka "
                         "C12,H,0.00,0.00,0.00,0.00,25.00,H,0.00,0.00,99.99,2,10.00,0.00,121.99,0."
                         "00,22.00,100.00,22.00,122.00,0.00,100.00,0.00,10.00\n"
                         "1,C13,Položka "
                         "C13,L,0.00,0.00,0.00,0.00,0.00,L,0.00,3.00,0.00,1,0.00,3.15,0.00,0.15,0."
                         "00,3.00,0.10,3.10,0.00,3.00,0.00,0.00\n"
                         "1,C14,Položka "
                         "C14,H,0.00,0.00,0.00,0.00,0.00,H,0.00,0.00,17.50,1,0.00,0.00,21.35,0.00,"
                         "3.85,17.50,3.90,21.40,0.00,17.50,0.00,0.00\n"
                         "1,C2,Položka "
                         "C2,0,0.00,0.00,0.00,0.00,0.00,0,12.35,0.00,0.00,1,0.00,0.00,0.00,0.00,0."
                         "00,12.30,0.00,12.30,0.00,12.30,0.00,0.00\n"
                         "1,C3,Položka "
                         "C3,0,0.00,0.00,0.00,0.00,0.00,0,0.05,0.00,0.00,1,0.00,0.00,0.00,0.00,0."
                         "00,0.10,0.00,0.10,0.00,0.10,0.00,0.00\n"
                         "1,C4,Položka "
                         "C4,0,0.00,0.00,0.00,0.00,0.00,0,12.25,0.00,0.00,1,0.00,0.00,0.00,0.00,0."
                         "00,12.20,0.00,12.20,0.00,12.20,0.00,0.00\n"
                         "1,C5,Položka "
                         "C5,0,0.00,0.00,0.00,0.00,0.00,0,12.50,0.00,0.00,2,0.00,0.00,0.00,0.00,0."
                         "00,13.00,0.00,13.00,0.00,13.00,0.00,0.00\n"
                         "1,C6,Položka "
                         "C6,0,0.00,0.00,0.00,0.00,0.00,0,13.50,0.00,0.00,2,0.00,0.00,0.00,0.00,0."
                         "00,14.00,0.00,14.00,0.00,14.00,0.00,0.00\n"
                         "1,C7,Položka "
                         "C7,L,0.00,0.00,0.00,0.00,0.00,L,0.00,100.00,0.00,0,0.00,105.00,0.00,5.00,"
                         "0.00,100.00,5.00,105.00,0.00,100.00,0.00,0.00\n"
                         "1,C8,Položka "
                         "C8,H,80.00,0.00,0.00,0.00,25.00,H,0.00,0.00,100.00,0,0.00,0.00,122.00,0."
                         "00,22.00,100.00,22.00,122.00,25.00,20.00,20.00,0.00\n"
                         "1,C9,Položka "
                         "C9,H,0.00,0.00,0.00,0.00,0.00,R,10.00,20.00,30.00,0,0.00,21.00,36.60,1."
                         "00,6.60,60.00,7.60,67.60,0.00,60.00,0.00,0.00\n"
                         "7,Z,Bez "
                         "skupiny,,0.00,0.00,0.00,0.00,0.00,0,1.00,0.00,0.00,,0.00,0.00,0.00,0.00,"
                         "0.00,1.00,0.00,1.00,0.00,1.00,0.00,0.00\n");
}

TEST_F(KatalogCommand, TextWithDecimalCommaAndOneGroup) {
    fill();
    test::appendRows(table("katalog.dbf"), {{{"SKUPID", 3},
                                             {"KOD", "K2"},
                                             {"NAZEV", "Spodní díl"},
                                             {"P_H", 46.875},
                                             {"P_IDPH", "H"}}});
    const auto r = arkona("katalog " + folder() + " --group 3");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(
        r.out,
        "SKUPID\tKOD\tNAZEV\tN_IDPH\tN_CENA\tN_CENA_DPH\tD_CENA\tD_CENA_DPH\tMARZE\tP_IDPH\t"
        "P_0\tP_L\tP_H\tROUND\tSLEVA\tL\tH\tDPH_L\tDPH_H\tP_CENA\tP_DPH\tP_CENA_DPH\tA_MARZE\t"
        "A_MARZE_KC\tMARZE_KC\tSLEVA_KC\n"
        "3\tK\"1\tKáva \"Arabica\", 250 g\tL\t100,00\t105,00\t0,00\t0,00\t12,50\tL\t0,00\t"
        "112,50\t0,00\t2\t0,00\t118,13\t0,00\t5,63\t0,00\t113,00\t6,00\t118,00\t13,00\t"
        "13,00\t12,50\t0,00\n"
        "3\tK2\tSpodní díl\t\t0,00\t0,00\t0,00\t0,00\t0,00\tH\t0,00\t0,00\t46,875\t\t0,00\t"
        "0,00\t57,19\t0,00\t10,31\t46,88\t10,31\t57,19\t0,00\t46,88\t0,00\t0,00\n");
    EXPECT_EQ(arkona("katalog " + folder() + " --group 5").out.find('\n') + 1,
              arkona("katalog " + folder() + " --group 5").out.size()); // the header only
}

TEST_F(KatalogCommand, UpdatePricesOfPlacedGoods) {
    fill();
    test::appendRows(table("zbozi.dbf"),
                     {{{"HTMLID", "8_"}, {"SEKCEID", 2}, {"TYP", "K"}, {"KOD", "c11"}},
                      {{"HTMLID", "8_"}, {"SEKCEID", 2}, {"TYP", "E"}, {"KOD", "C9"}},
                      {{"HTMLID", "8_"}, {"SEKCEID", 2}, {"TYP", "R"}, {"KOD", "C9"}}});
    test::appendRows(table("kompot.dbf"),
                     {{{"KOD_ZB", "C9"}, {"SKUPID", 1}, {"TYP", "K"}, {"KOD", "C11"}}});
    const auto r = arkona("katalog " + folder() + " --update-prices");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Aktualizováno zboží v produktových sekcích: 2 (změněno 2), komponent sad: 1 "
                     "(změněno 1).\n");
    EXPECT_EQ(r.err, "Aktualizace cen v produktových sekcích\n  řádků k aktualizaci: 3\n"
                     "  30 % (1/3)\n  60 % (2/3)\n  100 % (3/3)\n");
    const auto dump = arkona("table dump --csv " + test::shellQuote(table("zbozi.dbf").string()));
    EXPECT_NE(dump.out.find(",c11,,,47.37,49.74,L,,,K,,,,,,,1,\n"), std::string::npos) << dump.out;
    EXPECT_NE(dump.out.find(",C9,,,60.00,67.60,R,,,E,,,,,,,0,\n"), std::string::npos) << dump.out;
    const auto components =
        arkona("table dump --csv " + test::shellQuote(table("kompot.dbf").string()));
    EXPECT_NE(components.out.find(",C11,Položka C11,,,K,L,47.40,49.70,"), std::string::npos)
        << components.out;
    // Nothing left to do the second time.
    EXPECT_EQ(arkona("katalog " + folder() + " --update-prices").out,
              "Aktualizováno zboží v produktových sekcích: 2 (změněno 0), komponent sad: 1 "
              "(změněno 0).\n");
}

TEST_F(KatalogCommand, UsageAndFailures) {
    auto r = arkona("katalog --help");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.starts_with("Použití:\n  arkona katalog PROJEKT [--group N] [--csv]\n"));
    r = arkona("katalog");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "arkona: katalog potřebuje právě jednu složku projektu\n"
                     "Nápovědu vypíše „arkona katalog --help“.\n");
    r = arkona("katalog " + folder() + " --group pět");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "arkona: --group potřebuje číslo skupiny\n"
                     "Nápovědu vypíše „arkona katalog --help“.\n");
    r = arkona("katalog " + folder() + " --update-prices --csv");
    EXPECT_EQ(r.exitCode, 2);
    r = arkona("katalog " + test::shellQuote(dir.path().string()));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "arkona: Složka „" + dir.path().string() +
                         "“ není projekt ArkonaPro: chybí v ní soubor ArkonaTree.ini.\n");
    std::filesystem::remove(table("katalog.dbf"));
    r = arkona("katalog " + folder());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "arkona: Tabulku „" + table("katalog.dbf").string() +
                         "“ nelze otevřít: soubor neexistuje.\n");
}

TEST_F(KatalogCommand, TheSampleProject) {
    test::TempDir sampleDir;
    const auto sample = test::copySampleProject(sampleDir.path());
    auto r = arkona("katalog " + test::shellQuote(sample.string()) + " --csv");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string lines[] = {
        "1,CAJ-001,\"Sencha Japan, 100 "
        "g\",L,120.00,126.00,160.00,168.00,30.00,L,0.00,156.00,0.00,0,0.00,163.80,0.00,7.80,0.00,"
        "156.00,7.80,163.80,30.00,36.00,36.00,0.00\n",
        "1,CAJ-002,\"Darjeeling First Flush, 50 "
        "g\",L,96.00,100.80,0.00,0.00,25.00,L,0.00,119.95,0.00,1,10.00,125.95,0.00,6.00,0.00,120."
        "00,6.00,125.90,25.00,24.00,24.00,12.00\n",
        "1,CAJ-003,\"Skleněná konvice s sítkem, 1 "
        "l\",H,250.00,305.00,0.00,0.00,40.00,H,0.00,0.00,349.90,2,0.00,0.00,426.88,0.00,76.98,350."
        "00,77.00,427.00,40.00,100.00,100.00,0.00\n",
        "1,CAJ-004,Dárkové balení: čaj a "
        "hrnek,L,0.00,0.00,0.00,0.00,0.00,R,0.00,150.00,200.00,1,0.00,157.50,244.00,7.50,44.00,350."
        "00,51.50,401.50,0.00,350.00,0.00,0.00\n",
        "1,CAJ-005,Dárkový poukaz na 500 "
        "Kč,0,0.00,0.00,0.00,0.00,0.00,0,500.00,0.00,0.00,0,0.00,0.00,0.00,0.00,0.00,500.00,0.00,"
        "500.00,0.00,500.00,0.00,0.00\n",
        "2,KAV-001,\"Brazil Santos, zrnková káva 250 "
        "g\",L,110.00,115.50,0.00,0.00,35.00,L,0.00,148.50,0.00,1,0.00,155.93,0.00,7.43,0.00,148."
        "50,7.40,155.90,35.00,38.50,38.50,0.00\n"};
    std::string expected = kHeader;
    for (const auto& line : lines) {
        expected += line;
    }
    EXPECT_EQ(r.out, expected);

    // The placed teas follow a changed catalogue price.
    {
        auto katalog = dbf::Table::open(sample / "_dbf" / "katalog.dbf");
        auto row = katalog.read(0);
        row.setNumber("P_L", 160);
        katalog.update(row);
    }
    r = arkona("katalog " + test::shellQuote(sample.string()) + " --update-prices");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Aktualizováno zboží v produktových sekcích: 5 (změněno 1), komponent sad: 0 "
                     "(změněno 0).\n");
    const auto zbozi = dbf::Table::open(sample / "_dbf" / "zbozi.dbf", dbf::OpenMode::ReadOnly);
    EXPECT_EQ(zbozi.read(0).numberOr("P_CENA_DPH"), 168);
}

} // namespace
} // namespace arkona
