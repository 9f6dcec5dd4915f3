#include "support/project_fixture.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona::site {
namespace {

using arkona::test::runCommand;
using arkona::test::shellQuote;

arkona::test::CommandResult tree(const std::string& arguments) {
    return runCommand(shellQuote(ARKONA_CLI_PATH) + " tree " + arguments);
}

TEST(TreeCommandTest, PrintsTheSampleIndentedWithFilesAndLinkTargets) {
    arkona::test::TempDir dir;
    const auto project = arkona::test::copySampleProject(dir.path());
    const std::string before = arkona::test::readFile(project / "_dbf" / "struktur.dbf");
    const auto result = tree(shellQuote(project.string()));
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, " 1 1_  Hlavní strana  /hlavni.htm\n"
                          " 2 2_  Úvod  /uvod.htm\n"
                          " 3 3_  Navigace  /navigace.htm\n"
                          " 4 4_  Nákupní košík  /kosik.htm\n"
                          " 5 5_  Objednávka  /objednavka.htm\n"
                          " 6 6_  Objednávka odeslána  /odeslano.htm\n"
                          " 7 7_  Naše zboží  /zbozi.htm\n"
                          " 8   8_  Čaje  /zbozi/caje.htm\n"
                          " 9     10_  Zelené čaje  /zbozi/caje/zelene.htm\n"
                          "10   9_  Káva  /zbozi/kava.htm\n"
                          "12   12_  Kde nás najdete  /kontakt.htm  -> 11_\n"
                          "11 11_  Kontakt  /kontakt.htm\n");
    EXPECT_EQ(result.err, "arkona: pořadí stránek (PORADI) neodpovídá stromu; přečísluje ho "
                          "„arkona tree PROJEKT --optimise“.\n");
    // Printing writes nothing.
    EXPECT_EQ(arkona::test::readFile(project / "_dbf" / "struktur.dbf"), before);

    const auto optimised = tree(shellQuote(project.string()) + " --optimise");
    EXPECT_EQ(optimised.exitCode, 0) << optimised.err;
    EXPECT_NE(optimised.out.find("11   12_  Kde nás najdete  /kontakt.htm  -> 11_\n"
                                 "12 11_  Kontakt  /kontakt.htm\n"),
              std::string::npos);
    EXPECT_EQ(optimised.err, "Optimalizace stromové struktury WWW\n");
    const auto again = tree(shellQuote(project.string()));
    EXPECT_EQ(again.out, optimised.out);
    EXPECT_EQ(again.err, "");
}

TEST(TreeCommandTest, RepairsADamagedTreeAndSaysSo) {
    arkona::test::TempDir dir;
    const auto project = arkona::test::makeEmptyProject(dir.path());
    arkona::test::appendRows(
        project / "_dbf" / "struktur.dbf",
        {{{"HTMLID", "1_"}, {"PORADI", 1}, {"PARENT", "0_"}, {"SRC", "a"}},
         {{"HTMLID", "2_"}, {"PORADI", 2}, {"PARENT", "3_"}, {"SRC", "b"}},
         {{"HTMLID", "3_"}, {"PORADI", 3}, {"PARENT", "2_"}, {"SRC", "c"}},
         {{"HTMLID", "4_"}, {"PORADI", 4}, {"PARENT", "9_"}, {"SRC", "d"}, {"LINK", true}}});
    const auto result = tree(shellQuote(project.string()));
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.err.find("arkona: opravené řádky stromu stránek: 2_, 3_, 4_\n"),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("obsahovala zacyklené stránky (3_)"), std::string::npos);
    EXPECT_NE(result.out.find("4_    /d.htm  -> (cíl nenalezen)\n"), std::string::npos)
        << result.out;
    // Repaired and renumbered: the next run has nothing to say.
    EXPECT_EQ(tree(shellQuote(project.string())).err, "");
}

TEST(TreeCommandTest, UsageAndFailures) {
    arkona::test::TempDir dir;
    EXPECT_EQ(tree("").exitCode, 2);
    EXPECT_EQ(tree("a b").exitCode, 2);
    const auto help = tree("--help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("arkona tree PROJEKT [--optimise]"), std::string::npos);
    const auto notProject = tree(shellQuote(dir.path().string()));
    EXPECT_EQ(notProject.exitCode, 1);
    EXPECT_NE(notProject.err.find("chybí v ní soubor ArkonaTree.ini"), std::string::npos);
    arkona::test::writeFile(dir.path() / "ArkonaTree.ini", "[Projekt]\r\n");
    const auto noTables = tree(shellQuote(dir.path().string()));
    EXPECT_EQ(noTables.exitCode, 1);
    EXPECT_NE(noTables.err.find("struktur.dbf"), std::string::npos) << noTables.err;
}

} // namespace
} // namespace arkona::site
