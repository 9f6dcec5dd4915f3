// Finding templates in _sablony, bringing files into it, and the page list of the dialog.
#include "support/other_process.h"
#include "support/project_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"
#include "templates/page_choices.h"
#include "templates/template_files.h"

#include <gtest/gtest.h>

namespace arkona::templates {
namespace {

namespace fs = std::filesystem;
using test::readFile;
using test::TempDir;

void writeFile(const fs::path& file, std::string_view bytes) {
    fs::create_directories(file.parent_path());
    test::writeFile(file, bytes);
}

class TemplateFolder : public ::testing::Test {
protected:
    TemplateFolder() { fs::create_directories(project / "_sablony"); }
    void put(const char* name, const std::string& bytes) {
        writeFile(project / "_sablony" / name, bytes);
    }
    TempDir dir;
    fs::path project = dir / "projekt";
    test::ScriptedPrompter prompter;
};

TEST(TemplateKinds, NamesAndExtensions) {
    EXPECT_EQ(withExtension("akce", TemplateKind::Product), "akce.qsp");
    EXPECT_EQ(withExtension("akce.qsp", TemplateKind::Product), "akce.qsp");
    EXPECT_EQ(withExtension("AKCE.QSP", TemplateKind::Product), "AKCE.QSP");
    EXPECT_EQ(withExtension("akce.qsk", TemplateKind::Product), "akce.qsk.qsp");
    EXPECT_EQ(withExtension("hlavni", TemplateKind::Shop), "hlavni.qsh");
    EXPECT_EQ(defaultFileName(TemplateKind::Order), "default.qso");
    EXPECT_EQ(kindOfName("moje.qsk"), TemplateKind::Cart);
    EXPECT_EQ(kindOfName("MOJE.QSO"), TemplateKind::Order);
    EXPECT_EQ(kindOfName("moje.txt"), std::nullopt);
    EXPECT_EQ(kindOfSectionType("h"), TemplateKind::Shop);
    EXPECT_EQ(kindOfSectionType("t"), std::nullopt);
    EXPECT_EQ(fileFilter(TemplateKind::Shop), "Soubory šablon hlavní stránky (*.qsh)");
}

TEST_F(TemplateFolder, SabidIsFoundWithoutRegardToCase) {
    put("Moje.QSP", "[c0]\r\ntext1=moje\r\n");
    put("default.qsp", "[c0]\r\ntext1=vychozi\r\n");
    const auto at = locateTemplate(project, "moje.qsp", TemplateKind::Product);
    EXPECT_EQ(at.file, project / "_sablony" / "Moje.QSP");
    EXPECT_FALSE(at.isDefault);
    EXPECT_TRUE(at.exists);
    const auto textOf = [&](std::string_view sabid) {
        return readSectionTemplate(project, sabid, TemplateKind::Product, Defaults::Generator)
            .header[0]
            .text1;
    };
    EXPECT_EQ(textOf("MOJE.qsp"), "moje");
    EXPECT_EQ(textOf(" moje.qsp "), "moje"); // a blank-padded column value
    EXPECT_EQ(textOf(""), "vychozi");
    EXPECT_EQ(textOf("chybi.qsp"), "vychozi");
    // Names that reach out of _sablony are no template names.
    writeFile(project / "venku.qsp", "[c0]\r\ntext1=venku\r\n");
    for (const char* escape : {"../venku.qsp", "..\\venku.qsp", "/etc/passwd", ".", ".."}) {
        EXPECT_EQ(textOf(escape), "vychozi") << escape;
    }
}

TEST_F(TemplateFolder, MissingTemplateIsReplacedByTheDefaultOfItsKind) {
    put("default.qsk", "[Texty]\r\nSmazatKosik='Vypr\xE1zdnit?'\r\n");
    put("default.qsp", "[c0]\r\ntext1=produkt\r\n");
    EXPECT_EQ(readSectionTemplate(project, "moje.qsk", TemplateKind::Cart, Defaults::Generator)
                  .smazatKosik,
              "Vyprázdnit?");
    EXPECT_EQ(readSectionTemplate(project, "moje.qsp", TemplateKind::Product, Defaults::Generator)
                  .header[0]
                  .text1,
              "produkt");
    // With no default file either, every cell has its default and nothing is written.
    const auto order =
        readSectionTemplate(project, "moje.qso", TemplateKind::Order, Defaults::Generator);
    EXPECT_EQ(order, missingTemplate(TemplateKind::Order, Defaults::Generator));
    const auto at = locateTemplate(project, "moje.qso", TemplateKind::Order);
    EXPECT_FALSE(at.exists);
    EXPECT_TRUE(at.isDefault);
    EXPECT_EQ(at.file.filename(), "default.qso");

    put("DEFAULT.QSH", "[Odskoky]\r\nvelikost=120\r\n");
    EXPECT_EQ(readSectionShopSettings(project, "", Defaults::Generator).velikost, "120");
    EXPECT_EQ(readSectionShopSettings(project, "jiny.qsh", Defaults::Generator).velikost, "120");
    fs::remove(project / "_sablony" / "DEFAULT.QSH");
    EXPECT_EQ(readSectionShopSettings(project, "", Defaults::Generator),
              defaultShopSettings(Defaults::Generator));
}

TEST_F(TemplateFolder, OpeningAFileFromElsewhereCopiesItIn) {
    const fs::path other = dir / "jinde";
    writeFile(other / "akce.qsh", "novy");
    put("stara.qsh", "stara");
    // A file already in _sablony is opened where it is.
    EXPECT_EQ(bringIntoTemplates(project, project / "_sablony" / "stara.qsh", prompter),
              project / "_sablony" / "stara.qsh");
    // A new name is copied without a question.
    EXPECT_EQ(bringIntoTemplates(project, other / "akce.qsh", prompter),
              project / "_sablony" / "akce.qsh");
    EXPECT_EQ(readFile(project / "_sablony" / "akce.qsh"), "novy");
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(readFile(other / "akce.qsh"), "novy");
}

TEST_F(TemplateFolder, OpeningOntoAnExistingNameAsksFirst) {
    const fs::path other = dir / "jinde";
    writeFile(other / "akce.qsh", "novy");
    put("Akce.qsh", "stary");
    const std::string question =
        "question: Ve složce šablon projektu už je šablona „Akce.qsh“.\rChcete ji nahradit "
        "vybraným souborem?\r(Ne: otevře se šablona, která už ve složce je.)";

    prompter.answers = {Answer::Cancel};
    EXPECT_EQ(bringIntoTemplates(project, other / "akce.qsh", prompter), std::nullopt);
    EXPECT_EQ(readFile(project / "_sablony" / "Akce.qsh"), "stary");

    prompter.answers = {Answer::No};
    EXPECT_EQ(bringIntoTemplates(project, other / "akce.qsh", prompter),
              project / "_sablony" / "Akce.qsh");
    EXPECT_EQ(readFile(project / "_sablony" / "Akce.qsh"), "stary");

    prompter.answers = {Answer::Yes};
    EXPECT_EQ(bringIntoTemplates(project, other / "akce.qsh", prompter),
              project / "_sablony" / "Akce.qsh");
    EXPECT_EQ(readFile(project / "_sablony" / "Akce.qsh"), "novy");
    EXPECT_FALSE(
        fs::exists(project / "_sablony" / "akce.qsh") &&
        !fs::equivalent(project / "_sablony" / "akce.qsh", project / "_sablony" / "Akce.qsh"));
    EXPECT_EQ(prompter.messages, (std::vector<std::string>{question, question, question}));
}

TEST_F(TemplateFolder, FailedCopyIsReportedAndChangesNothing) {
    std::error_code ec;
    fs::remove_all(project / "_sablony", ec);
    writeFile(project / "_sablony", "soubor misto slozky");
    writeFile(dir / "jinde" / "a.qsh", "x");
    const std::string message =
        test::errorOf([&] { bringIntoTemplates(project, dir / "jinde" / "a.qsh", prompter); });
    EXPECT_TRUE(message.starts_with("Šablonu „a.qsh“ nelze zkopírovat do složky šablon projektu: "))
        << message;
    EXPECT_EQ(readFile(project / "_sablony"), "soubor misto slozky");
}

TEST_F(TemplateFolder, SaveAsAddsTheExtensionAndAsksBeforeReplacing) {
    const fs::path sablony = project / "_sablony";
    EXPECT_EQ(targetForSaveAs(project, sablony / "akce", TemplateKind::Shop, prompter),
              sablony / "akce.qsh");
    EXPECT_EQ(targetForSaveAs(project, sablony / "akce.qsh", TemplateKind::Shop, prompter),
              sablony / "akce.qsh");
    // Another folder chosen: the file still goes to _sablony.
    EXPECT_EQ(targetForSaveAs(project, dir / "jinde" / "nova", TemplateKind::Order, prompter),
              sablony / "nova.qso");
    EXPECT_TRUE(prompter.messages.empty());

    put("AKCE.QSH", "stara");
    prompter.answers = {Answer::No, Answer::Yes};
    EXPECT_EQ(targetForSaveAs(project, sablony / "akce", TemplateKind::Shop, prompter),
              std::nullopt);
    EXPECT_EQ(targetForSaveAs(project, sablony / "akce.qsh", TemplateKind::Shop, prompter),
              sablony / "AKCE.QSH");
    EXPECT_EQ(prompter.messages,
              (std::vector<std::string>{"question: Šablona „AKCE.QSH“ už existuje.\rChcete ji "
                                        "přepsat?",
                                        "question: Šablona „AKCE.QSH“ už existuje.\rChcete ji "
                                        "přepsat?"}));
    EXPECT_EQ(targetForSaveAs(project, sablony / ".qsh", TemplateKind::Shop, prompter),
              std::nullopt);
}

TEST(PageChoices, PagesOfTheSampleInTreeOrder) {
    TempDir dir;
    const auto project = test::copySampleProject(dir.path());
    const auto pages = pagesInTreeOrder(project);
    std::vector<std::string> lines;
    for (const auto& p : pages) {
        lines.push_back(std::string(p.depth * 2, ' ') + p.htmlId + " " + p.title + " " + p.url);
    }
    EXPECT_EQ(lines,
              (std::vector<std::string>{
                  "1_ Hlavní strana /hlavni.htm", "2_ Úvod /uvod.htm", "3_ Navigace /navigace.htm",
                  "4_ Nákupní košík /kosik.htm", "5_ Objednávka /objednavka.htm",
                  "6_ Objednávka odeslána /odeslano.htm", "7_ Naše zboží /zbozi.htm",
                  "  8_ Čaje /zbozi/caje.htm", "    10_ Zelené čaje /zbozi/caje/zelene.htm",
                  "  9_ Káva /zbozi/kava.htm", "11_ Kontakt /kontakt.htm"}));
    EXPECT_EQ(pageUrl("", "uvod"), "/uvod.htm");
    EXPECT_EQ(pageUrl("/obchod  ", "kosik  "), "/obchod/kosik.htm");
    EXPECT_NE(test::errorOf([&] { pagesInTreeOrder(dir / "nic"); }), "(no error)");
}

} // namespace
} // namespace arkona::templates
