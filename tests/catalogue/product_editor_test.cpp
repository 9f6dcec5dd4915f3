#include "catalogue/product_editor.h"
#include "catalogue_project.h"
#include "support/recorders.h"

#include <fstream>
#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

const Strings kColumns = {"HTMLID",    "SEKCEID", "PORADI",   "TYP",        "KOD",
                          "NAZEV",     "POPIS",   "P_CENA",   "P_CENA_DPH", "P_IDPH",
                          "IDX_SLEVA", "SLEVA",   "ROUND",    "KS_MAX",     "KS_KROK",
                          "MJ",        "OBRAZEK", "FONT_NAZ", "FONT_POP",   "ODKAZ"};

// Page 8_ lies in \caje of the site; its product section 1 is the one being edited.
struct RowEditor : ::testing::Test, test::CatalogueProject {
    test::ScriptedPrompter prompter;
    fs::path pageFolder = project.siteFolder / "caje";
    test::RecordingProgress progress;

    RowEditor() { fs::create_directories(pageFolder); }

    ProductEditor fresh(char typ, const char* page = "8_", int section = 1) {
        return ProductEditor::newRow(project, prompter, page, section, typ, pageFolder);
    }
    ProductEditor edit(std::uint32_t recno, const std::string& kod, int poradi = 0) {
        auto e = ProductEditor::editRow(project, prompter, "8_", 1, recno, kod, poradi, pageFolder);
        if (!e) {
            throw std::runtime_error("row not read");
        }
        return std::move(*e);
    }
    static test::Row row(const char* page, int section, int poradi, const char* typ,
                         const std::string& kod, const std::string& nazev) {
        return {{"HTMLID", page}, {"SEKCEID", section}, {"PORADI", poradi},   {"TYP", typ},
                {"KOD", kod},     {"NAZEV", nazev},     {"P_CENA", 10.0},     {"P_CENA_DPH", 12.2},
                {"P_IDPH", "H"},  {"ROUND", "1"},       {"KS_MAX", 5.0},      {"KS_KROK", 1.0},
                {"MJ", "bal"},    {"FONT_NAZ", "<B>"},  {"OBRAZEK", "x.gif"}, {"SLEVA", 5.0},
                {"IDX_SLEVA", 2}};
    }
    Strings stored() const { return rows("zbozi.dbf", kColumns); }
    Strings said() {
        auto m = std::move(prompter.messages);
        prompter.messages.clear();
        return m;
    }
    void write(const fs::path& file, const std::string& bytes) const {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }
    static std::string contents(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }
};

TEST_F(RowEditor, NewRowsTakeTheirDefaultsAndStoreOnlyOnOk) {
    ProductEditor r = fresh('R');
    EXPECT_EQ(r.poradi(), 1);
    EXPECT_TRUE(r.codeEditable());
    EXPECT_FALSE(r.okEnabled());
    EXPECT_EQ(r.title(), "Zboží v produktové sekci - , ");
    EXPECT_EQ(stored(), Strings{});
    r.leaveCode("čaj-1", true);
    EXPECT_TRUE(r.okEnabled());
    r.setName("Čaj");
    EXPECT_TRUE(r.store());
    EXPECT_EQ(r.recno(), 0u);
    EXPECT_FALSE(r.isNew());
    EXPECT_FALSE(r.store()); // nothing changed since
    ProductEditor s = fresh('S');
    EXPECT_EQ(s.poradi(), 2);
    s.leaveCode("SADA", true);
    s.store();
    ProductEditor n = fresh('N');
    EXPECT_TRUE(n.okEnabled());
    EXPECT_FALSE(n.codeEditable());
    EXPECT_EQ(n.title(), "Nadpis v produktové sekci");
    n.setName("Zelené");
    n.store();
    EXPECT_EQ(stored(), (Strings{"8_ 1 1 R ČAJ-1 Čaj  0.00 0.00 0 0 0.0000 2 30.000 1.000 ks",
                                 "8_ 1 2 S SADA   0.00 0.00  0 0.0000 2 30.000 1.000 ks",
                                 "8_ 1 3 N  Zelené  0.00 0.00  0 0.0000 0 0.000 0.000"}));
    EXPECT_EQ(said(), Strings{});
}

TEST_F(RowEditor, HandTypedPricesThroughTheEditor) {
    ProductEditor r = fresh('R');
    r.leaveCode("P1", true);
    r.chooseVatCode(2);
    EXPECT_TRUE(r.leavePrice(RowPriceField::P_CENA, "100", true).accepted);
    EXPECT_EQ(r.shownText(RowPriceField::P_CENA_DPH), "122,00");
    EXPECT_TRUE(r.leavePrice(RowPriceField::SLEVA_KC, "10", true).accepted);
    EXPECT_EQ(r.shownText(RowPriceField::SLEVA), "10,00");
    // Left unchanged: nothing runs, whatever the field shows.
    EXPECT_TRUE(r.leavePrice(RowPriceField::P_CENA, "7", false).accepted);
    const Outcome bad = r.leavePrice(RowPriceField::P_CENA_DPH, "12x", true);
    EXPECT_FALSE(bad.accepted);
    EXPECT_EQ(bad.focus, PriceField::P_CENA_DPH);
    EXPECT_FALSE(r.leaveQuantity(QuantityField::KS_MAX, "-1", true));
    EXPECT_TRUE(r.leaveQuantity(QuantityField::KS_KROK, "0,5", true));
    r.chooseRounding("1");
    r.store();
    EXPECT_EQ(stored(), Strings{"8_ 1 1 R P1   100.00 122.00 H 0 10.0000 1 30.000 0.500 ks"});
    EXPECT_EQ(said(), (Strings{"warning: „12x“ není platná číselná hodnota!",
                               "warning: Hodnota nemůže být záporná!"}));
    // A placed row's prices come from the catalogue: nothing here changes them.
    add("zbozi.dbf", {row("8_", 1, 2, "K", "K1", "Placený")});
    ProductEditor k = edit(1, "K1");
    k.leavePrice(RowPriceField::P_CENA, "1", true);
    k.chooseVatCode(0);
    k.chooseRounding("0");
    EXPECT_FALSE(k.changed());
}

TEST_F(RowEditor, ATakenCodeSaysWhyAndOffersTheCatalogueItemFilledAsPlacingFillsIt) {
    test::Row sencha = item(1, "X1", "Sencha");
    // Later values of a column win: the item's P_IDPH and P_H are overridden.
    sencha.insert(sencha.end(), {{"P_IDPH", "L"},
                                 {"P_H", 0.0},
                                 {"P_L", 99.96},
                                 {"ROUND", "1"},
                                 {"SLEVA", 3.0},
                                 {"IDX_SLEVA", 4},
                                 {"OBRAZEK", "sub\\zeleny.gif"},
                                 {"POPIS", "Z Japonska"}});
    add("katalog.dbf", {sencha, item(1, "ABC")});
    write(project.projectFolder / "_obr" / "sub" / "zeleny.gif", "GIF89a-new");
    write(pageFolder / "zeleny.gif", "GIF89a-old");

    ProductEditor r = fresh('R');
    // "AB" is not "ABC".
    EXPECT_FALSE(r.leaveCode("ab", true));
    EXPECT_TRUE(r.okEnabled());
    EXPECT_EQ(said(), Strings{});
    // Declined: "OK" stays off (the warning takes the first answer).
    prompter.answers = {Answer::Ok, Answer::No};
    EXPECT_FALSE(r.leaveCode("x1", true));
    EXPECT_FALSE(r.okEnabled());
    EXPECT_EQ(said(), (Strings{"warning: Tento kód zboží již existuje v katalogu!",
                               "question: Chcete zkopírovat nalezené zboží do této sekce?"}));
    // Accepted: the item's rounded prices, its VAT code, rounding and discount; the picture copied
    // from _obr after asking.
    prompter.answers = {Answer::Ok, Answer::Yes, Answer::Yes};
    EXPECT_TRUE(r.leaveCode("x1", true));
    EXPECT_TRUE(r.okEnabled());
    EXPECT_EQ(r.typ(), 'K');
    EXPECT_EQ(said(),
              (Strings{"warning: Tento kód zboží již existuje v katalogu!",
                       "question: Chcete zkopírovat nalezené zboží do této sekce?",
                       "question: Tento soubor již v projektu existuje! Chcete ho přepsat?"}));
    EXPECT_EQ(contents(pageFolder / "zeleny.gif"), "GIF89a-new");
    r.store();
    // 99.96 to tenths is 100.0; the gross 104.958 is 105.0.
    EXPECT_EQ(stored(), Strings{"8_ 1 1 K X1 Sencha Z Japonska 100.00 105.00 L 4 3.0000 1 30.000 "
                                "1.000 ks zeleny.gif"});
}

TEST_F(RowEditor, ARowOfAnotherSectionIsOfferedWhateverItsSectionNumber) {
    // Section 1 of page 9_: the same SEKCEID on another page.
    add("zbozi.dbf",
        {row("9_", 1, 1, "R", "R9", "Ruční z devítky"), row("8_", 2, 1, "S", "S8", "Sada z dvojky"),
         row("8_", 1, 1, "R", "HERE", "")});
    ProductEditor r = fresh('R');
    EXPECT_EQ(r.poradi(), 2);
    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(r.leaveCode("r9", true));
    EXPECT_EQ(said(), (Strings{"warning: Tento kód zboží již existuje v produktové sekci!",
                               "question: Chcete zkopírovat nalezené zboží do této sekce?"}));
    r.store();
    EXPECT_EQ(stored()[3], "8_ 1 2 R R9 Ruční z devítky  10.00 12.20 H 2 5.0000 1 30.000 1.000 ks "
                           "x.gif <B>");
    // Another section of this page: offered too, the set stays a set.
    ProductEditor s = fresh('R');
    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(s.leaveCode("S8", true));
    EXPECT_EQ(s.typ(), 'S');
    EXPECT_EQ(s.title(), "Sestava v produktové sekci - S8, Sada z dvojky");
    said();
    // In this section already: no offer, "OK" off until the code changes or is left unchanged.
    ProductEditor t = fresh('R');
    EXPECT_FALSE(t.leaveCode("here", true));
    EXPECT_FALSE(t.okEnabled());
    EXPECT_EQ(said(), Strings{"warning: Tento kód zboží již existuje v produktové sekci!"});
    t.leaveCode("HERE", false);
    EXPECT_TRUE(t.okEnabled());
    t.leaveCode("", true);
    EXPECT_FALSE(t.okEnabled());
}

TEST_F(RowEditor, ASetCodeLongerThanItsBreakdownKeyIsRefused) {
    ProductEditor s = fresh('S');
    const std::string czech50 = [] {
        std::string t;
        for (int i = 0; i < 50; ++i) {
            t += "Č";
        }
        return t;
    }();
    EXPECT_FALSE(s.leaveCode(czech50 + "X", true));
    EXPECT_FALSE(s.okEnabled());
    EXPECT_EQ(said(), Strings{"warning: Kód sestavy může mít nejvýše 50 znaků!"});
    s.leaveCode(czech50, true); // 50 bytes of Windows-1250
    EXPECT_TRUE(s.okEnabled());
    // Goods take the column's 80.
    ProductEditor r = fresh('R');
    r.leaveCode(czech50 + "X", true);
    EXPECT_TRUE(r.okEnabled());
    EXPECT_EQ(said(), Strings{});
}

TEST_F(RowEditor, EditingStoresTheRowItWasOpenedOnAndNothingElse) {
    // Two headings and a goods row that shares the second heading's PORADI (older projects).
    add("zbozi.dbf", {row("8_", 1, 1, "N", "", "První"), row("8_", 1, 2, "N", "", "Druhý"),
                      row("8_", 1, 2, "R", "R2", "Zboží")});
    ProductEditor second = edit(1, "", 2);
    EXPECT_EQ(second.nazev(), "Druhý");
    second.setName("Druhý nadpis");
    EXPECT_TRUE(second.store());
    EXPECT_EQ(rows("zbozi.dbf", {"PORADI", "TYP", "NAZEV"}),
              (Strings{"1 N První", "2 N Druhý nadpis", "2 R Zboží"}));
    // A record that no longer holds what the list showed is not taken.
    EXPECT_FALSE(ProductEditor::editRow(project, prompter, "8_", 1, 2, "R3", 2, pageFolder));
    EXPECT_FALSE(ProductEditor::editRow(project, prompter, "8_", 1, 1, "", 1, pageFolder));
    EXPECT_FALSE(ProductEditor::editRow(project, prompter, "9_", 1, 2, "R2", 2, pageFolder));
    EXPECT_FALSE(ProductEditor::editRow(project, prompter, "8_", 1, 7, "R2", 2, pageFolder));
    // The codes compare as code sets do.
    ProductEditor goods = edit(2, " r2 ");
    goods.setUnit("kart");
    goods.store();
    EXPECT_EQ(rows("zbozi.dbf", {"KOD", "MJ"}), (Strings{"bal", "bal", "R2 kart"}));
}

TEST_F(RowEditor, PicturesInsideThePageFolderKeepTheirPathOthersAreCopied) {
    add("zbozi.dbf", {row("8_", 1, 1, "R", "R1", "Čaj")});
    write(pageFolder / "Sub" / "a.gif", "GIF89a-a");
    write(dir.path() / "jinde" / "b.gif", "GIF89a-b");
    write(pageFolder / "b.gif", "GIF89a-old");
    ProductEditor r = edit(0, "R1");
    EXPECT_EQ(r.pictureFile(), std::nullopt); // x.gif is not there
    EXPECT_TRUE(r.choosePicture(pageFolder / "Sub" / "a.gif"));
    EXPECT_EQ(r.obrazek(), "Sub\\a.gif");
    EXPECT_EQ(r.pictureFile(), pageFolder / "Sub" / "a.gif");
    // Another file of that name: asked; no keeps the file but names it.
    prompter.answers = {Answer::No};
    EXPECT_TRUE(r.choosePicture(dir.path() / "jinde" / "b.gif"));
    EXPECT_EQ(r.obrazek(), "b.gif");
    EXPECT_EQ(contents(pageFolder / "b.gif"), "GIF89a-old");
    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(r.choosePicture(dir.path() / "jinde" / "b.gif"));
    EXPECT_EQ(contents(pageFolder / "b.gif"), "GIF89a-b");
    EXPECT_EQ(said(), Strings(2, "question: Tento soubor již v projektu existuje! Chcete ho "
                                 "přepsat?"));
    // A copy that fails says why and keeps the old value.
    EXPECT_FALSE(r.choosePicture(dir.path() / "jinde" / "chybi.gif"));
    EXPECT_EQ(r.obrazek(), "b.gif");
    const Strings failed = said();
    ASSERT_EQ(failed.size(), 1u);
    EXPECT_EQ(failed[0].rfind("error: Soubor „", 0), 0u) << failed[0];
    r.setLink("<A HREF=\"../ 9kontakt.htm\">");
    r.store();
    EXPECT_EQ(rows("zbozi.dbf", {"OBRAZEK", "ODKAZ"}),
              Strings{"b.gif <A HREF=\"../ 9kontakt.htm\">"});
    r.removePicture();
    r.removeLink();
    EXPECT_EQ(r.obrazek(), "");
    EXPECT_EQ(r.odkaz(), "");
}

TEST_F(RowEditor, CataloguePriceEditStoresAsksAndBringsTheNewPrices) {
    add("katalog.dbf", {item(1, "K1", "Sencha")}); // P_H 100 at 22 %
    add("zbozi.dbf", {row("8_", 1, 1, "K", "K1", "Sencha"), row("9_", 1, 1, "K", "k1", "Jinde"),
                      row("8_", 1, 2, "K", "GONE", "Smazané")});
    int opened = 0;
    const auto raise = [&](const StoredItem& s) -> std::optional<ProductEditor::EditedItem> {
        ++opened;
        EXPECT_EQ(s.item.kod, "K1");
        Item changed = s.item;
        changed.pH = 200;
        return ProductEditor::EditedItem{changed, "nový popis"};
    };
    ProductEditor k = edit(0, "K1");
    k.setName("Sencha v akci");
    // Unsaved changes, declined: nothing stored, the item editor not opened.
    prompter.answers = {Answer::No};
    EXPECT_EQ(k.editCataloguePrice(raise, progress), ProductEditor::CatalogueEdit::Declined);
    EXPECT_EQ(opened, 0);
    EXPECT_EQ(rows("zbozi.dbf", {"NAZEV"})[0], "Sencha");
    // The item editor's "Storno" changes nothing but the stored row.
    prompter.answers = {Answer::Yes};
    const auto cancel = [&](const StoredItem&) -> std::optional<ProductEditor::EditedItem> {
        ++opened;
        return std::nullopt;
    };
    EXPECT_EQ(k.editCataloguePrice(cancel, progress), ProductEditor::CatalogueEdit::Cancelled);
    EXPECT_EQ(rows("zbozi.dbf", {"NAZEV"})[0], "Sencha v akci");
    EXPECT_EQ(said(), Strings(2, "question: Chcete uložit provedené změny?"));
    // Unchanged now: no question; every row of the code takes the new prices.
    EXPECT_EQ(k.editCataloguePrice(raise, progress), ProductEditor::CatalogueEdit::Updated);
    EXPECT_EQ(said(), Strings{});
    EXPECT_EQ(k.shownText(RowPriceField::P_CENA), "200,00");
    EXPECT_EQ(k.shownText(RowPriceField::P_CENA_DPH), "244,00");
    EXPECT_FALSE(k.changed());
    EXPECT_EQ(rows("zbozi.dbf", {"KOD", "P_CENA", "P_CENA_DPH", "ROUND"}),
              (Strings{"K1 200.00 244.00 0", "k1 200.00 244.00 0", "GONE 10.00 12.20 1"}));
    EXPECT_EQ(rows("katalog.dbf", {"KOD", "P_H", "POPIS"}), Strings{"K1 200.0000 nový popis"});
    // An item deleted from the catalogue: nothing happens.
    ProductEditor gone = edit(2, "GONE");
    EXPECT_EQ(gone.editCataloguePrice(raise, progress),
              ProductEditor::CatalogueEdit::NotInCatalogue);
    EXPECT_EQ(opened, 2);
}

} // namespace
} // namespace arkona::catalogue
