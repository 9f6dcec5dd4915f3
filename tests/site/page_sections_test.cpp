#include "base/error.h"
#include "site/page_sections.h"
#include "site/section_types.h"
#include "storage/schema.h"
#include "support/other_process.h"
#include "support/project_fixture.h"
#include "support/recorders.h"
#include "support/table_builder.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona::site {
namespace {

using storage::kHtml;
using storage::kStruktur;
using storage::kZbozi;
using test::TempDir;

class PageSectionsTest : public ::testing::Test {
protected:
    TempDir dir;
    std::filesystem::path project = test::makeEmptyProject(dir.path());
    storage::ProjectContext context;
    storage::TData2 data;
    PageSections sections{data, context};

    void SetUp() override {
        test::appendRows(table(kStruktur), {{{"HTMLID", "1_"}, {"PARENT", "0_"}, {"N_HTMLID", 1}},
                                            {{"HTMLID", "7_"}, {"PARENT", "0_"}, {"N_HTMLID", 7}}});
        context.setProjectFolder(project);
        storage::readArkonaTree(context);
        data.SetProjectPath(project);
        data.STRUKTUR_SetHtmlID("7_");
    }

    std::filesystem::path table(const char* name) const { return project / "_dbf" / name; }

    // "SEKCEID:PORADI:TYP:SABID:POPIS" of the page's rows, read after the views closed.
    std::vector<std::string> storedSections() {
        data.CloseQuery();
        std::vector<std::string> rows;
        dbf::Table::open(table(kHtml), dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
            if (r.text("HTMLID") == "7_") {
                rows.push_back(r.display(r.column("SEKCEID")) + ":" +
                               r.display(r.column("PORADI")) + ":" + r.text("TYP") + ":" +
                               r.text("SABID") + ":" + r.text("POPIS"));
            }
            return true;
        });
        data.STRUKTUR_SetHtmlID("7_");
        return rows;
    }
};

TEST_F(PageSectionsTest, NumberingAddRemoveAndReorder) {
    EXPECT_EQ(sections.add('t', "Úvod"), 1);
    EXPECT_EQ(sections.add('o', "Objednávka"), 2);
    EXPECT_EQ(sections.add('t', "Závěr"), 3);
    EXPECT_EQ(sections.count(), 3);
    EXPECT_EQ(sections.currentSection(), 3); // the new section is current
    EXPECT_EQ(storedSections(),
              (std::vector<std::string>{"1:1:t::Úvod", "2:2:o::Objednávka", "3:3:t::Závěr"}));
    sections.select(2);
    sections.removeCurrent();
    EXPECT_EQ(storedSections(), (std::vector<std::string>{"1:1:t::Úvod", "3:2:t::Závěr"}));
    EXPECT_EQ(sections.add('k', "Košík"), 4); // SEKCEID never comes back
    sections.select(1);
    sections.reorder({4, 1, 3});
    EXPECT_EQ(sections.currentSection(), 1);
    EXPECT_EQ(storedSections(),
              (std::vector<std::string>{"1:2:t::Úvod", "3:3:t::Závěr", "4:1:k::Košík"}));
    std::vector<std::string> listed;
    for (const auto& r : data.qHtml.rows()) {
        listed.push_back(sectionTypeName(r.text("TYP")) + " " + r.text("POPIS"));
    }
    EXPECT_EQ(listed,
              (std::vector<std::string>{"nákupní karta Košík", "textová Úvod", "textová Závěr"}));
    sections.select(1);
    sections.describe("Na konec");
    EXPECT_EQ(storedSections()[0], "1:2:t::Na konec");
}

TEST_F(PageSectionsTest, EmptyFirstSectionsOfANewPage) {
    EXPECT_EQ(sections.add('Y', "ignored"), 1);
    EXPECT_EQ(sections.add('X', "ignored"), 2);
    EXPECT_EQ(storedSections(), (std::vector<std::string>{"1:1:p:default.qsp:", "2:2:t::"}));
    EXPECT_EQ(test::errorOf([&] { sections.add('q', ""); }), "Neznámý druh sekce „q“.");
}

TEST_F(PageSectionsTest, RemovingAProductSectionTakesItsGoodsOnly) {
    sections.add('p', "Čaje");
    sections.add('p', "Káva");
    test::appendRows(table(kZbozi),
                     {{{"HTMLID", "7_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"KOD", "A"}},
                      {{"HTMLID", "7_"}, {"SEKCEID", 1}, {"PORADI", 2}, {"KOD", "B"}},
                      {{"HTMLID", "7_"}, {"SEKCEID", 2}, {"PORADI", 1}, {"KOD", "C"}},
                      {{"HTMLID", "1_"}, {"SEKCEID", 1}, {"PORADI", 1}, {"KOD", "D"}}});
    sections.select(1);
    sections.removeCurrent();
    EXPECT_EQ(storedSections(), (std::vector<std::string>{"2:1:p:default.qsp:Káva"}));
    std::vector<std::string> codes;
    dbf::Table::open(table(kZbozi), dbf::OpenMode::ReadOnly).scan([&](const dbf::Record& r) {
        codes.push_back(r.text("KOD"));
        return true;
    });
    EXPECT_EQ(codes, (std::vector<std::string>{"C", "D"}));
}

TEST_F(PageSectionsTest, TheLastProductTemplateCarriesOverAndSurvivesReopening) {
    EXPECT_EQ(context.lastTemplate, "default"); // what a project that never chose one reads
    sections.add('p', "První");
    sections.setTemplate("akce.qsp");
    sections.add('o', "Objednávka");
    sections.setTemplate("moje.qso"); // not a product template
    storage::ProjectContext reopened;
    reopened.setProjectFolder(project);
    storage::readArkonaTree(reopened);
    EXPECT_EQ(reopened.lastTemplate, "akce.qsp");
    PageSections later(data, reopened);
    later.add('p', "Druhá");
    later.setTemplate("Velka.QSP"); // extensions in any letter case
    later.add('p', "Třetí");
    EXPECT_EQ(storedSections(),
              (std::vector<std::string>{"1:1:p:akce.qsp:První", "2:2:o:moje.qso:Objednávka",
                                        "3:3:p:Velka.QSP:Druhá", "4:4:p:Velka.QSP:Třetí"}));
}

TEST_F(PageSectionsTest, HtmlIsStoredWithCrLfAndClearsThePreview) {
    sections.add('t', "Text");
    data.previewCacheKey = "7_";
    sections.setHtml("<P>první\nřádek</P>\r\n<P>druhý\r</P>");
    EXPECT_EQ(data.previewCacheKey, "");
    data.CloseQuery();
    const auto html = dbf::Table::open(table(kHtml), dbf::OpenMode::ReadOnly);
    EXPECT_EQ(html.read(0).memo("HTML"), "<P>první\r\nřádek</P>\r\n<P>druhý\r\n</P>");
}

TEST(SectionTypes, NamesDefaultsAndTemplateKinds) {
    EXPECT_EQ(sectionTypeName("t"), "textová");
    EXPECT_EQ(sectionTypeName("k"), "nákupní karta");
    EXPECT_EQ(sectionTypeName(""), "");
    EXPECT_EQ(defaultTemplateOf("h"), "default.qsh");
    EXPECT_EQ(defaultTemplateOf("t"), "");
    EXPECT_EQ(templateFilterOf("p"), "Soubory šablon produtkové sekce (*.qsp)|*.qsp");
    EXPECT_EQ(templateKindOfFile("Akce.QSP"), 'p');
    EXPECT_EQ(templateKindOfFile("kosik.qsk"), 'k');
    EXPECT_EQ(templateKindOfFile("qsp"), '\0');
    EXPECT_EQ(newSectionPrompt('o').title, "Nová objednávka");
    EXPECT_EQ(newSectionPrompt('o').label, "Popis");
    EXPECT_EQ(newSectionPrompt('t').label, "Popis sekce");
}

class AdoptTemplate : public ::testing::Test {
protected:
    TempDir dir;
    storage::ProjectContext context;
    test::ScriptedPrompter prompter;
    std::filesystem::path templates;

    void SetUp() override {
        context.setProjectFolder(dir / "projekt");
        templates = dir / "projekt" / "_sablony";
        std::filesystem::create_directories(templates);
        test::writeFile(templates / "akce.qsp", "[Nastaveni]\r\nstará=1\r\n");
        std::filesystem::create_directories(dir / "jinde");
    }
};

TEST_F(AdoptTemplate, AFileOfTheProjectIsTakenByName) {
    EXPECT_EQ(adoptTemplate(context, templates / "akce.qsp", prompter), "akce.qsp");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(AdoptTemplate, AFileFromElsewhereIsCopiedIn) {
    test::writeFile(dir / "jinde" / "nova.qsp", "nová");
    EXPECT_EQ(adoptTemplate(context, dir / "jinde" / "nova.qsp", prompter), "nova.qsp");
    EXPECT_EQ(test::readFile(templates / "nova.qsp"), "nová");
    // The same content under a name that differs in case needs no question either.
    test::writeFile(dir / "jinde" / "AKCE.qsp", "[Nastaveni]\r\nstará=1\r\n");
    EXPECT_EQ(adoptTemplate(context, dir / "jinde" / "AKCE.qsp", prompter), "akce.qsp");
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(AdoptTemplate, ADifferentFileOfTheSameNameIsReplacedOnlyWhenTheUserSaysSo) {
    test::writeFile(dir / "jinde" / "akce.qsp", "jiná");
    prompter.answers = {Answer::No};
    EXPECT_EQ(adoptTemplate(context, dir / "jinde" / "akce.qsp", prompter), std::nullopt);
    EXPECT_EQ(test::readFile(templates / "akce.qsp"), "[Nastaveni]\r\nstará=1\r\n");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0], "question: Ve složce šablon projektu už je jiný soubor "
                                    "„akce.qsp“.\rChcete ho přepsat vybranou šablonou?");
    prompter.answers = {Answer::Yes};
    EXPECT_EQ(adoptTemplate(context, dir / "jinde" / "akce.qsp", prompter), "akce.qsp");
    EXPECT_EQ(test::readFile(templates / "akce.qsp"), "jiná");
}

} // namespace
} // namespace arkona::site
