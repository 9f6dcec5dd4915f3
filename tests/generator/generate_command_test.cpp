// arkona generate: the sample site, usage, failures, two runs at once.
#include "base/paths.h"
#include "base/profile.h"
#include "generator_fixture.h"

#include <regex>
#include <set>

namespace arkona::generator::test {
namespace {

namespace fs = std::filesystem;
using arkona::test::TempDir;

arkona::test::CommandResult arkona(const std::string& args) {
    return arkona::test::runCommand(std::string(ARKONA_CLI_PATH) + " " + args);
}

std::set<std::string> pagesOf(const fs::path& site) {
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(site)) {
        if (e.is_regular_file() && e.path().extension() == ".htm") {
            files.insert(e.path().lexically_relative(site).generic_string());
        }
    }
    return files;
}

TEST(GenerateCommand, WritesTheSampleSite) {
    TempDir dir;
    const fs::path project = arkona::test::copySampleProject(dir.path());
    const auto run = arkona("generate " + arkona::test::shellQuote(project.string()));
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_TRUE(std::regex_match(run.out, std::regex("Vygenerováno stránek: 11 z 11, chyb: 0, "
                                                     "čas: [0-9]+,[0-9]{2} s\nSložka webu: .*/"
                                                     "projekt/WWW\n")))
        << run.out;
    // Progress on stderr, the last line at 100 %.
    EXPECT_NE(run.err.find("strana 11 z 11   ( 100 % )  \\kontakt.htm\n"), std::string::npos)
        << run.err;
    const fs::path site = project / "WWW";
    EXPECT_EQ(pagesOf(site),
              (std::set<std::string>{"hlavni.htm", "kontakt.htm", "kosik.htm", "navigace.htm",
                                     "objednavka.htm", "odeslano.htm", "uvod.htm", "zbozi.htm",
                                     "zbozi/caje.htm", "zbozi/caje/zelene.htm", "zbozi/kava.htm"}));
    // Every normal page has its navigation column with links into the work frame; the page of
    // the navigation frame is the shop's banner with links of its own.
    for (const auto& file : pagesOf(site)) {
        if (file == "hlavni.htm" || file == "navigace.htm") {
            continue;
        }
        const std::string page = text::toUtf8(arkona::test::readFile(site / file));
        EXPECT_NE(page.find("<A HREF=\""), std::string::npos) << file;
        EXPECT_NE(page.find("TARGET=\"wsp\"><IMG SRC=\""), std::string::npos) << file;
        EXPECT_TRUE(page.ends_with("</BODY></HTML>\r\n")) << file;
    }
    EXPECT_NE(text::toUtf8(arkona::test::readFile(site / "navigace.htm"))
                  .find("<A HREF=\"zbozi.htm\" TARGET=\"wsp\">Naše zboží</A>"),
              std::string::npos);
    EXPECT_NE(ProfileFile::read(project / "ArkonaTree.ini", "Generate", "LastDate"), "");
}

TEST(GenerateCommand, UsageMistakes) {
    TempDir dir;
    const fs::path project = arkona::test::copySampleProject(dir.path());
    const std::string p = arkona::test::shellQuote(project.string());
    auto r = arkona("generate " + p + " --scope vse");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "arkona: neznámý rozsah „vse“ (all, section, branch, page)\n"
                     "Nápovědu vypíše „arkona generate --help“.\n");
    r = arkona("generate " + p + " --scope page");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "arkona: rozsah „page“ potřebuje --page HTMLID\n"
                     "Nápovědu vypíše „arkona generate --help“.\n");
    r = arkona("generate " + p + " --page");
    EXPECT_EQ(r.exitCode, 2);
    r = arkona("generate " + p + " --scope all --page 8_");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "arkona: rozsah „all“ žádnou stránku nepotřebuje\n"
                     "Nápovědu vypíše „arkona generate --help“.\n");
    r = arkona("generate");
    EXPECT_EQ(r.exitCode, 2);
    r = arkona("generate " + p + " --scope branch --page 99_");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "arkona: Stránka 99_ v projektu není.\n");
    r = arkona("generate " + p + " --scope page --page 12_");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "arkona: Stránka 12_ je odkaz na jinou stránku; vygenerujte stránku, na "
                     "kterou ukazuje.\n");
    r = arkona("generate " + arkona::test::shellQuote((dir / "nic").string()));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(fs::exists(project / "WWW" / "uvod.htm"));
    r = arkona("generate --help");
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.starts_with("Použití:\n  arkona generate PROJEKT")) << r.out;
}

TEST(GenerateCommand, OneBranchAndAFailingPage) {
    TempDir dir;
    const fs::path project = arkona::test::copySampleProject(dir.path());
    const std::string p = arkona::test::shellQuote(project.string());
    // A file where the folder of "Zelené čaje" should be.
    fs::create_directories(project / "WWW" / "zbozi");
    arkona::test::writeFile(project / "WWW" / "zbozi" / "caje", "");
    const auto r = arkona("generate " + p + " --scope branch --page 8_");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.out.starts_with("Vygenerováno stránek: 1 z 2, chyb: 1, čas: ")) << r.out;
    EXPECT_NE(r.err.find("arkona: Složku " + paths::forDisplay(project / "WWW" / "zbozi" / "caje") +
                         " nelze vytvořit: Not a directory\n"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(pagesOf(project / "WWW"), (std::set<std::string>{"zbozi/caje.htm"}));
    EXPECT_EQ(ProfileFile::read(project / "ArkonaTree.ini", "Generate", "LastDate"), "");
}

TEST(GenerateCommand, APageNamedWithoutAScopeIsGeneratedAlone) {
    TempDir dir;
    const fs::path project = arkona::test::copySampleProject(dir.path());
    const auto r = arkona("generate " + arkona::test::shellQuote(project.string()) + " --page 9_");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("Vygenerováno stránek: 1 z 1, chyb: 0")) << r.out;
    EXPECT_EQ(pagesOf(project / "WWW"), (std::set<std::string>{"zbozi/kava.htm"}));
}

TEST(GenerateCommand, TwoRunsAtOnceLeaveWholePages) {
    TempDir dir;
    const fs::path one = arkona::test::copySampleProject(dir.path(), "zakladni", "jeden");
    const fs::path two = arkona::test::copySampleProject(dir.path(), "zakladni", "dva");
    for (const auto& project : {one, two}) {
        ProfileFile::write(project / "ArkonaTree.ini", "Generate", "GenAkt", "False");
    }
    ASSERT_EQ(arkona("generate " + arkona::test::shellQuote(one.string())).exitCode, 0);
    // The runs meet at the pages: the tree is renumbered beforehand.
    ASSERT_EQ(arkona("tree --optimise " + arkona::test::shellQuote(two.string())).exitCode, 0);
    const std::string cli = std::string(ARKONA_CLI_PATH) + " generate " +
                            arkona::test::shellQuote(two.string()) + " >/dev/null 2>&1";
    const auto both =
        arkona::test::runCommand("(" + cli + " & " + cli + " & " + cli + "; wait) && echo hotovo");
    EXPECT_EQ(both.out, "hotovo\n");
    const auto files = pagesOf(one / "WWW");
    EXPECT_EQ(pagesOf(two / "WWW"), files);
    for (const auto& file : files) {
        EXPECT_EQ(arkona::test::readFile(two / "WWW" / file),
                  arkona::test::readFile(one / "WWW" / file))
            << file;
    }
    // Nothing half-written stays behind.
    for (const auto& e : fs::recursive_directory_iterator(two / "WWW")) {
        EXPECT_EQ(e.path().extension() == ".tmp", false) << e.path();
    }
}

} // namespace
} // namespace arkona::generator::test
