#include "catalogue/item_editor.h"
#include "catalogue_project.h"
#include "support/recorders.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

const Date kToday{2026, 12, 9};

struct Editor : ::testing::Test {
    test::ScriptedPrompter prompter;
    std::vector<std::string> checkedCodes;
    CodeStatus answer = CodeStatus::Free;

    ItemEditor open(Item item, ItemEditor::Options options = {}, std::string popis = "") {
        return ItemEditor({std::move(item), std::move(popis), 0}, options, VatRates{}, prompter,
                          kToday, [this](std::string_view code) {
                              checkedCodes.emplace_back(code);
                              return answer;
                          });
    }
    static Item stored() {
        Item i;
        i.skupId = 1;
        i.kod = "A1";
        i.nazev = "Sencha";
        i.nIdph = "H";
        i.pIdph = "H";
        i.pH = 100;
        i.datZUpd = Date{2020, 1, 2};
        return i;
    }
};

TEST_F(Editor, OkOnAnUnchangedItemIsStornoAndLeavesItsDate) {
    ItemEditor e = open(stored(), {}, "popis");
    EXPECT_TRUE(e.okEnabled());
    EXPECT_FALSE(e.codeEditable());
    // Fields left without a change run nothing (but the sale price, see below).
    EXPECT_TRUE(e.leave(EditorField::N_CENA, "0,00", false).accepted);
    EXPECT_TRUE(e.leave(EditorField::MARZE_KC, "0,00", false).accepted);
    e.setDescription("popis");
    EXPECT_EQ(e.ok().closing, ItemEditor::Closing::Storno);
    EXPECT_EQ(e.item().datZUpd, (Date{2020, 1, 2}));
    e.setName("Sencha Japan");
    EXPECT_EQ(e.ok().closing, ItemEditor::Closing::Ok);
    EXPECT_EQ(e.item().datZUpd, kToday);
    EXPECT_TRUE(prompter.messages.empty());
}

TEST_F(Editor, LeavingTheSalePriceDatesIt) {
    ItemEditor e = open(stored());
    e.leave(EditorField::P_CENA, e.shownText(EditorField::P_CENA), false);
    EXPECT_EQ(e.item().datPUpd, kToday);
    EXPECT_TRUE(e.changed());
}

TEST_F(Editor, ANewItemWaitsForAFreeCodeAndSaysWhyOneIsTaken) {
    Item fresh;
    fresh.skupId = 1;
    fresh.nIdph = fresh.pIdph = "L";
    ItemEditor e = open(fresh, {true, false});
    EXPECT_TRUE(e.codeEditable());
    EXPECT_FALSE(e.okEnabled());
    e.leaveCode("  ");
    EXPECT_FALSE(e.okEnabled());
    answer = CodeStatus::InCatalogue;
    e.leaveCode("a1");
    EXPECT_FALSE(e.okEnabled());
    answer = CodeStatus::InProducts;
    e.leaveCode("kav-9");
    EXPECT_FALSE(e.okEnabled());
    answer = CodeStatus::Free;
    e.leaveCode("čaj-2 ");
    EXPECT_TRUE(e.okEnabled());
    EXPECT_EQ(e.item().kod, "ČAJ-2");
    EXPECT_EQ(checkedCodes, (Strings{"A1", "KAV-9", "ČAJ-2"}));
    EXPECT_EQ(prompter.messages, (Strings{"warning: Tento kód zboží již existuje v katalogu!",
                                          "warning: Tento kód zboží již existuje v produktové "
                                          "sekci!"}));
    const auto noName = e.ok();
    EXPECT_EQ(noName.closing, ItemEditor::Closing::StayOpen);
    EXPECT_TRUE(noName.focusName);
    EXPECT_EQ(prompter.messages.back(), "warning: Není vyplněn název zboží!");
    e.setName("Nový čaj");
    EXPECT_EQ(e.ok().closing, ItemEditor::Closing::Ok);
}

TEST_F(Editor, PurchasePriceWithMarginGivesTheSalePrice) {
    Item i = stored();
    i.pH = 0;
    i.recNc = true;
    i.marze = 25;
    ItemEditor e = open(i);
    EXPECT_TRUE(e.leave(EditorField::N_CENA, "100", true).accepted);
    EXPECT_EQ(e.shownText(EditorField::P_CENA), "125,00");
    EXPECT_EQ(e.shownText(EditorField::N_CENA_DPH), "122,00");
    EXPECT_EQ(e.shownText(EditorField::MARZE_KC), "25,00");
    EXPECT_EQ(e.item().datNUpd, kToday);
}

TEST_F(Editor, AGrossPriceOnASplitItemSpreads) {
    Item i = stored();
    i.pIdph = "R";
    i.p0 = 50;
    i.pL = 50;
    i.pH = 0;
    ItemEditor e = open(i);
    EXPECT_EQ(e.salePosition(), 3);
    EXPECT_EQ(e.shownText(EditorField::L), "52,50");
    EXPECT_EQ(e.shownText(EditorField::P_CENA_DPH), "102,50");
    EXPECT_TRUE(e.leave(EditorField::P_CENA_DPH, "205", true).accepted);
    EXPECT_DOUBLE_EQ(e.item().p0, 100);
    EXPECT_DOUBLE_EQ(e.item().pL, 100);
    EXPECT_EQ(e.shownText(EditorField::P_CENA), "200,00");
}

TEST_F(Editor, ANegativeMarginAmountResetsBothAndKeepsTheFocus) {
    Item i = stored();
    i.nCena = 80;
    i.marze = 25;
    ItemEditor e = open(i);
    EXPECT_EQ(e.shownText(EditorField::MARZE_KC), "20,00");
    const Outcome refused = e.leave(EditorField::MARZE_KC, "-5", true);
    EXPECT_FALSE(refused.accepted);
    EXPECT_EQ(refused.focus, PriceField::MARZE_KC);
    EXPECT_EQ(e.shownText(EditorField::MARZE), "0,00");
    EXPECT_EQ(e.shownText(EditorField::MARZE_KC), "0,00");
    EXPECT_EQ(prompter.messages, (Strings{"warning: Hodnota nemůže být záporná!"}));
    const Outcome garbage = e.leave(EditorField::N_CENA, "sto", true);
    EXPECT_FALSE(garbage.accepted);
    EXPECT_EQ(garbage.focus, PriceField::N_CENA);
    EXPECT_EQ(prompter.messages.back(), "warning: „sto“ není platná číselná hodnota!");
}

TEST_F(Editor, AThirdFixedBoxAndAFixedZeroAreRefused) {
    Item i = stored();
    i.pIdph = "R";
    i.p0 = 10;
    i.pL = 20;
    i.pH = 30;
    ItemEditor e = open(i);
    EXPECT_TRUE(e.setHold(PricePart::P_0, true).accepted);
    EXPECT_TRUE(e.setHold(PricePart::P_L, true).accepted);
    EXPECT_FALSE(e.setHold(PricePart::P_H, true).accepted);
    EXPECT_FALSE(e.item().holdH);
    EXPECT_EQ(prompter.messages, (Strings{"error: Pevné ceny mohou být pouze dvě!"}));
    e.setHold(PricePart::P_L, false);
    e.leave(EditorField::P_H, "0", true);
    EXPECT_FALSE(e.setHold(PricePart::P_H, true).accepted);
    EXPECT_EQ(prompter.messages.back(), "warning: Pevná cena nesmí být nulová!");
}

TEST_F(Editor, CodesOfTheVatListsAndTheMarginTools) {
    Item i = stored();
    i.nCena = 0;
    i.marze = 25;
    ItemEditor e = open(i);
    e.recountMargin();
    EXPECT_EQ(e.item().marze, 0);
    EXPECT_TRUE(e.setSaleCode(1).accepted); // the reduced rate
    EXPECT_EQ(e.item().pIdph, "L");
    EXPECT_DOUBLE_EQ(e.item().pL, 100);
    EXPECT_EQ(e.shownText(EditorField::P_CENA_DPH), "105,00");
    EXPECT_TRUE(e.setPurchaseCode(0).accepted);
    EXPECT_EQ(e.item().nIdph, "0");
    EXPECT_EQ(e.item().pIdph, "L"); // a stored item keeps its sale code
}

struct EditorPictures : Editor {
    test::TempDir dir;
    fs::path obr = dir / "projekt" / "_obr";

    EditorPictures() {
        fs::create_directories(obr / "sub");
        fs::create_directories(dir / "jinde");
        test::writeFile(obr / "sub" / "zeleny.jpg", "obrázek");
        test::writeFile(obr / "stary.jpg", "starý");
        test::writeFile(dir / "jinde" / "stary.jpg", "nový");
    }
};

TEST_F(EditorPictures, APictureFromASubFolderIsNamedRelativeAndNotCopied) {
    ItemEditor e = open(stored());
    EXPECT_TRUE(e.choosePicture(dir / "projekt" / "_OBR" / "sub" / "zeleny.jpg", obr));
    EXPECT_EQ(e.item().obrazek, "sub\\zeleny.jpg");
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(obr), {}), 3);
    e.removePicture();
    EXPECT_EQ(e.item().obrazek, "");
    EXPECT_TRUE(fs::exists(obr / "sub" / "zeleny.jpg"));
}

TEST_F(EditorPictures, APictureFromElsewhereIsCopiedAskingOnlyBeforeReplacing) {
    ItemEditor e = open(stored());
    test::writeFile(dir / "jinde" / "novy.jpg", "n");
    EXPECT_TRUE(e.choosePicture(dir / "jinde" / "novy.jpg", obr));
    EXPECT_EQ(e.item().obrazek, "novy.jpg");
    EXPECT_EQ(test::readFile(obr / "novy.jpg"), "n");
    EXPECT_TRUE(prompter.messages.empty());
    prompter.answers = {Answer::No};
    EXPECT_TRUE(e.choosePicture(dir / "jinde" / "stary.jpg", obr));
    EXPECT_EQ(e.item().obrazek, "stary.jpg");
    EXPECT_EQ(test::readFile(obr / "stary.jpg"), "starý");
    prompter.answers = {Answer::Yes};
    EXPECT_TRUE(e.choosePicture(dir / "jinde" / "stary.jpg", obr));
    EXPECT_EQ(test::readFile(obr / "stary.jpg"), "nový");
    EXPECT_EQ(prompter.messages,
              (Strings{"question: Tento soubor již v projektu existuje! Chcete ho přepsat?",
                       "question: Tento soubor již v projektu existuje! Chcete ho přepsat?"}));
}

TEST_F(EditorPictures, AFailedCopyIsReportedAndTheFieldKeepsItsValue) {
    Item i = stored();
    i.obrazek = "stary.jpg";
    ItemEditor e = open(i);
    EXPECT_FALSE(e.choosePicture(dir / "jinde" / "chybi.jpg", obr));
    EXPECT_EQ(e.item().obrazek, "stary.jpg");
    ASSERT_EQ(prompter.messages.size(), 1u);
    EXPECT_EQ(prompter.messages[0],
              "error: Soubor „" + (dir / "jinde" / "chybi.jpg").string() + "“ neexistuje!");
    // The picture folder cannot be made: the system's reason, nothing changed.
    test::writeFile(dir / "soubor", "");
    EXPECT_FALSE(e.choosePicture(dir / "jinde" / "stary.jpg", dir / "soubor" / "_obr"));
    EXPECT_TRUE(prompter.messages.back().starts_with("error: Obrázek „"));
    EXPECT_EQ(e.item().obrazek, "stary.jpg");
}

} // namespace
} // namespace arkona::catalogue
