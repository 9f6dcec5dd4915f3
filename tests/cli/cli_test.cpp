#include "base/dbf/table.h"
#include "support/project_fixture.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona {
namespace {

using dbf::FieldDef;
using test::TempDir;

test::CommandResult arkona(const std::string& args) {
    return test::runCommand(std::string(ARKONA_CLI_PATH) + " " + args);
}

TEST(Cli, UsageHelpAndExitCodes) {
    auto r = arkona("--help");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.starts_with("arkona – příkazová řádka programu ArkonaPro")) << r.out;
    for (const char* cmd : {"table", "check", "pack"}) {
        r = arkona(std::string(cmd) + " --help");
        EXPECT_EQ(r.exitCode, 0) << cmd;
        EXPECT_TRUE(r.out.starts_with("Použití:")) << cmd;
    }
    r = arkona("");
    EXPECT_EQ(r.exitCode, 2);
    r = arkona("vyrob");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "arkona: neznámý příkaz „vyrob“\nNápovědu vypíše „arkona --help“.\n");
    r = arkona("table dump");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "arkona: table dump potřebuje právě jeden soubor\nNápovědu vypíše „arkona "
                     "table --help“.\n");
    r = arkona("table info /neni/tabulka.dbf");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "arkona: Tabulku „/neni/tabulka.dbf“ nelze otevřít: soubor neexistuje.\n");
    EXPECT_EQ(r.out, "");
}

TEST(Cli, TableInfoAndDump) {
    TempDir dir;
    const auto file = dir / "zbozi.dbf";
    test::makeTable(file,
                    {FieldDef::character("KOD", 10), FieldDef::numeric("CENA", 10, 2),
                     FieldDef::logical("OK"), FieldDef::date("DATUM"), FieldDef::memo("POPIS")},
                    {{{"KOD", "A,1"},
                      {"CENA", 12.5},
                      {"OK", true},
                      {"DATUM", Date{2026, 12, 9}},
                      {"POPIS", "řekl \"ahoj\""}},
                     {{"KOD", "SMAZ"}},
                     {{"KOD", "C"}}});
    dbf::Table::open(file).setDeleted(1);
    auto r = arkona("table info " + test::shellQuote(file.string()));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string today = Locale::czech().formatDate(Date::today());
    EXPECT_EQ(r.out,
              "Tabulka: " + file.string() +
                  "\nVerze: 0x83 (dBase III s poznámkami)\nKódová stránka: 0xC8 (Windows-1250)\n"
                  "Poslední změna: " +
                  today +
                  "\nDélka hlavičky: 193 B, délka řádku: 40 B\n"
                  "Řádků: 3 (platných 2, smazaných 1)\nSloupce:\n"
                  "   1  KOD        C  10  0\n   2  CENA       N  10  2\n   3  OK         L  1  0\n"
                  "   4  DATUM      D  8  0\n   5  POPIS      M  10  0\n");
    r = arkona("table dump --csv " + test::shellQuote(file.string()));
    EXPECT_EQ(r.out,
              "KOD,CENA,OK,DATUM,POPIS\n\"A,1\",12.50,T,2026-12-09,\"řekl \"\"ahoj\"\"\"\nC,,,,\n");
    r = arkona("table dump --csv --deleted " + test::shellQuote(file.string()));
    EXPECT_EQ(r.out, "_DELETED,KOD,CENA,OK,DATUM,POPIS\n,\"A,1\",12.50,T,2026-12-09,\"řekl "
                     "\"\"ahoj\"\"\"\n*,SMAZ,,,,\n,C,,,,\n");
    r = arkona("table dump " + test::shellQuote(file.string()));
    EXPECT_EQ(r.out, "#1\nKOD: A,1\nCENA: 12.50\nOK: T\nDATUM: 2026-12-09\nPOPIS: řekl \"ahoj\"\n\n"
                     "#3\nKOD: C\nCENA: \nOK: \nDATUM: \nPOPIS: \n\n");
}

TEST(Cli, CheckAndPackAProject) {
    TempDir dir;
    const auto project = test::copySampleProject(dir.path());
    test::appendRows(project / "_dbf" / "html.dbf",
                     {{{"HTMLID", "2_"}, {"TYP", "t"}}}); // no section number
    auto r = arkona("check " + test::shellQuote(project.string()));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(
        r.err.starts_with("Kontrola datových souborů\n  [1/10] Kontroluji soubor STRUKTUR.DBF.\n"))
        << r.err;
    EXPECT_TRUE(r.err.ends_with("  [10/10] Kontroluji soubor PROM_USR.DBF.\n")) << r.err;
    EXPECT_EQ(dbf::Table::open(project / "_dbf" / "html.dbf").recordCount(),
              12u); // marked, not yet packed
    r = arkona("pack " + test::shellQuote(project.string()));
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(dbf::Table::open(project / "_dbf" / "html.dbf").recordCount(), 11u);
    r = arkona("pack " + test::shellQuote(dir.path().string()));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "arkona: Složka „" + dir.path().string() +
                         "“ není projekt ArkonaPro: chybí v ní soubor ArkonaTree.ini.\n");
}

} // namespace
} // namespace arkona

namespace arkona {
namespace {

TEST(CliSections, ListsThePagesSectionsInOrderWithTemplates) {
    test::TempDir dir;
    const auto project = test::makeEmptyProject(dir.path());
    test::appendRows(project / "_dbf" / "struktur.dbf",
                     {{{"HTMLID", "3_"}, {"PORADI", 2}, {"POPIS", "Čaje"}, {"PARENT", "0_"}},
                      {{"HTMLID", "1_"}, {"PORADI", 1}, {"POPIS", "Hlavní"}, {"PARENT", "0_"}}});
    test::appendRows(
        project / "_dbf" / "html.dbf",
        {{{"HTMLID", "3_"}, {"SEKCEID", 4}, {"PORADI", 2}, {"TYP", "p"}, {"SABID", "akce.qsp"}},
         {{"HTMLID", "3_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "t"}, {"POPIS", "Úvod"}},
         {{"HTMLID", "1_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"TYP", "h"}}});
    auto r = test::runCommand(std::string(ARKONA_CLI_PATH) + " sections " +
                              test::shellQuote(project.string()));
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Stránka 1_ „Hlavní“\n"
                     "  1. sekce 1, hlavní strana (šablona default.qsh, výchozí)\n"
                     "Stránka 3_ „Čaje“\n"
                     "  1. sekce 1, textová: Úvod\n"
                     "  2. sekce 4, produktová (šablona akce.qsp)\n");
    r = test::runCommand(std::string(ARKONA_CLI_PATH) + " sections " +
                         test::shellQuote(project.string()) + " --page 1_");
    EXPECT_EQ(r.out,
              "Stránka 1_ „Hlavní“\n  1. sekce 1, hlavní strana (šablona default.qsh, výchozí)\n");
    r = test::runCommand(std::string(ARKONA_CLI_PATH) + " sections " +
                         test::shellQuote(project.string()) + " --page 2_");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "arkona: Stránka „2_“ v projektu není.\n");
    r = test::runCommand(std::string(ARKONA_CLI_PATH) + " sections");
    EXPECT_EQ(r.exitCode, 2);
}

} // namespace
} // namespace arkona
