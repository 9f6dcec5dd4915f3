#include "base/error.h"
#include "base/locale.h"
#include "base/profile.h"
#include "storage/project_context.h"
#include "storage/user_settings.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>
#include <regex>

namespace arkona::storage {
namespace {

using test::TempDir;

ProjectContext contextFor(const std::filesystem::path& folder) {
    ProjectContext c;
    c.setProjectFolder(folder);
    return c;
}

TEST(ProjectContext, ReadsValuesAndFallsBackToDefaults) {
    TempDir dir;
    test::writeFile(dir / "ArkonaTree.ini",
                    "[Projekt]\r\nName=M\xF9j obchod\r\nAutor=Jan\r\n[sazby_dph]\r\niDPH_L=abc\r\n"
                    "iDPH_H= 21 \r\n[MENA]\r\nCurrency=EUR\r\n");
    auto c = contextFor(dir.path());
    c.currency = "Kč";
    readArkonaTree(c);
    EXPECT_EQ(c.projectName, "Můj obchod");
    EXPECT_EQ(c.author, "Jan");
    EXPECT_EQ(c.company, "");
    EXPECT_EQ(c.reducedVat, 5); // "abc" is no whole number
    EXPECT_EQ(c.baseVat, 21);
    EXPECT_EQ(c.reducedVatCaption, "5 %");
    EXPECT_EQ(c.baseVatCaption, "21 %");
    EXPECT_EQ(c.currency, "EUR"); // [MENA] Currency found as [mena] currency
    EXPECT_EQ(c.lastTemplate, "default");
    EXPECT_EQ(c.siteFolder, dir.path() / "WWW");
}

TEST(ProjectContext, MissingSectionsGiveDefaultRatesAndKeepTheCurrency) {
    TempDir dir;
    test::writeFile(dir / "ArkonaTree.ini", "[Projekt]\r\nName=x\r\n");
    auto c = contextFor(dir.path());
    c.currency = "Kč";
    readArkonaTree(c);
    EXPECT_EQ(c.reducedVat, 5);
    EXPECT_EQ(c.baseVat, 22);
    EXPECT_EQ(c.reducedVatCaption, "5 %");
    EXPECT_EQ(c.baseVatCaption, "22 %");
    EXPECT_EQ(c.currency, "Kč");
}

TEST(ProjectContext, SiteFolderFollowsTheFolderOnDiskWhateverItsCase) {
    TempDir dir;
    std::filesystem::create_directories(dir / "www");
    test::writeFile(dir / "arkonatree.ini", "[Projekt]\r\n");
    EXPECT_TRUE(isProjectFolder(dir.path()));
    auto c = contextFor(dir.path());
    EXPECT_EQ(c.siteFolder, dir.path() / "www");
    EXPECT_EQ(c.iniPath(), dir.path() / "arkonatree.ini");
}

TEST(ProjectContext, ProjectFolderIsOneWithASettingsFile) {
    TempDir dir;
    EXPECT_FALSE(isProjectFolder(dir.path()));
    EXPECT_FALSE(isProjectFolder(dir / "missing"));
    test::writeFile(dir / "ArkonaTree.ini", "");
    EXPECT_TRUE(isProjectFolder(dir.path())); // even an empty one
}

TEST(CompleteProjectIni, WritesTheSixtyFiveStandardKeysOnceInTheirOrder) {
    TempDir dir;
    const auto ini = dir / "ArkonaTree.ini";
    test::writeFile(ini, "");
    completeProjectIni(ini);
    const std::string first = test::readFile(ini);
    std::string expected;
    std::string section;
    int keys = 0;
    int sections = 0;
    for (const auto& k : standardProjectKeys()) {
        if (k.section != section) {
            section = k.section;
            expected += "[" + section + "]\r\n";
            ++sections;
        }
        expected += std::string(k.key) + "=\r\n";
        ++keys;
    }
    EXPECT_EQ(keys, 65);
    EXPECT_EQ(sections, 10);
    EXPECT_EQ(first, expected);
    EXPECT_NE(first.find(
                  "[Projekt]\r\nName=\r\nAutor=\r\nSpolecnost=\r\nWWW=\r\nVytvoren=\r\nEditace=\r\n"
                  "ZavrenoOK=\r\nOtevreno=\r\n[Generate]\r\nLastDate=\r\n"),
              std::string::npos);
    EXPECT_TRUE(first.ends_with("ebAdd3=\r\n[Mena]\r\nCurrency=\r\n"));
    completeProjectIni(ini);
    EXPECT_EQ(test::readFile(ini), first);
}

TEST(CompleteProjectIni, KeepsExistingValuesAndUnknownLines) {
    TempDir dir;
    const auto ini = dir / "ArkonaTree.ini";
    test::writeFile(ini, "; poznámka\r\n[projekt]\r\nname=Obchod\r\nAutor=\r\nVlastni=1\r\n");
    completeProjectIni(ini);
    const std::string text = test::readFile(ini);
    EXPECT_TRUE(text.starts_with(
        "; poznámka\r\n[projekt]\r\nname=Obchod\r\nAutor=\r\nVlastni=1\r\nSpolecnost=\r\n"))
        << text;
    EXPECT_EQ(text.find("Autor=\r\n"), text.rfind("Autor=\r\n")); // not written twice
}

TEST(ProjectIni, OpenCounterClosedFlagAndClosing) {
    TempDir dir;
    test::writeFile(dir / "ArkonaTree.ini", "[Projekt]\r\nOtevreno=x\r\nZavrenoOK=1\r\n");
    auto c = contextFor(dir.path());
    EXPECT_EQ(countProjectOpen(c), 1); // not a whole number counts as 0
    for (int i = 2; i <= 5; ++i) {
        EXPECT_EQ(countProjectOpen(c), i);
    }
    EXPECT_EQ(ProfileFile::read(c.iniPath(), "Projekt", "Otevreno"), "5");
    EXPECT_TRUE(takeClosedFlag(c));
    EXPECT_FALSE(takeClosedFlag(c));

    bool treeSaved = false;
    markProjectClosed(c, [&] { treeSaved = true; }); // no project open: nothing happens
    EXPECT_FALSE(treeSaved);
    EXPECT_EQ(ProfileFile::read(c.iniPath(), "Projekt", "ZavrenoOK"), "0");

    c.projectOpen = true;
    Locale::setCurrent(Locale::czech());
    markProjectClosed(c, [&] {
        treeSaved = true;
        EXPECT_EQ(ProfileFile::read(c.iniPath(), "Projekt", "ZavrenoOK"), "0"); // the tree first
    });
    EXPECT_TRUE(treeSaved);
    EXPECT_EQ(ProfileFile::read(c.iniPath(), "Projekt", "ZavrenoOK"), "1");
    const std::string edited = ProfileFile::read(c.iniPath(), "Projekt", "Editace");
    EXPECT_TRUE(
        std::regex_match(edited, std::regex(R"(\d{1,2}\.\d{1,2}\.\d{4} \d{2}:\d{2}:\d{2})")))
        << edited;
    EXPECT_TRUE(edited.starts_with(Locale::current().formatDate(Date::today()) + " "));
}

TEST(ProjectIni, FailedWriteReportsAndKeepsTheContext) {
    TempDir dir;
    test::writeFile(dir / "ArkonaTree.ini", "[Projekt]\r\nName=A\r\n");
    auto c = contextFor(dir.path());
    readArkonaTree(c);
    // The settings file's folder replaced by a file: every write must fail, even for root.
    auto broken = contextFor(dir / "ArkonaTree.ini");
    EXPECT_THROW(countProjectOpen(broken), Error);
    EXPECT_EQ(c.projectName, "A");
}

TEST(UserSettings, ReadingCreatesTheValueEmptyAndWritesSurvive) {
    TempDir dir;
    UserSettings s(dir / "cfg" / "settings.ini");
    EXPECT_FALSE(s.exists(UserSettings::kEditor, "ExtEditorHTML"));
    EXPECT_EQ(s.read(UserSettings::kEditor, "ExtEditorHTML"), "");
    EXPECT_TRUE(s.exists(UserSettings::kEditor, "ExtEditorHTML"));
    s.write(UserSettings::kRoot, "Width", "782");
    EXPECT_EQ(UserSettings(dir / "cfg" / "settings.ini").read("software\\tarn\\arkona", "width"),
              "782");
    EXPECT_EQ(test::readFile(dir / "cfg" / "settings.ini"),
              "[Software\\Tarn\\Arkona\\Editor]\r\nExtEditorHTML=\r\n[Software\\Tarn\\Arkona]"
              "\r\nWidth=782\r\n");
}

TEST(UserSettings, LastOpenFolderNeverNamesAMissingFolder) {
    TempDir dir;
    UserSettings s(dir / "settings.ini");
    UserSettings::setProgramFolder(dir.path());
    EXPECT_EQ(s.lastOpenFolder(), dir.path());
    std::filesystem::create_directories(dir / "projekty");
    s.setLastOpenFolder(dir / "projekty");
    EXPECT_EQ(s.lastOpenFolder(), dir / "projekty");
    std::filesystem::remove(dir / "projekty");
    EXPECT_EQ(s.lastOpenFolder(), dir.path());
}

} // namespace
} // namespace arkona::storage
