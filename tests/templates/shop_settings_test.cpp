// The shop settings file of a main section: defaults, key order, number format.
#include "support/temp_dir.h"
#include "templates/shop_settings.h"

#include <gtest/gtest.h>

namespace arkona::templates {
namespace {

using test::readFile;
using test::TempDir;
using test::writeFile;

const std::string kDashes142 = [] {
    std::string s;
    for (int i = 0; i < 71; ++i) {
        s += "- ";
    }
    return s;
}();

TEST(ShopSettings, DefaultsOfTheGeneratorAndTheDialog) {
    TempDir dir;
    const ShopSettings g = readShopSettings(dir / "chybi.qsh", Defaults::Generator);
    EXPECT_EQ(g, defaultShopSettings(Defaults::Generator));
    EXPECT_EQ(g.navigace, "");
    EXPECT_TRUE(g.kosikAno);
    EXPECT_EQ(g.umisteni, "nahore");
    EXPECT_EQ(g.velikost, "80");
    EXPECT_TRUE(g.body);
    for (bool on : g.c) {
        EXPECT_TRUE(on);
    }
    EXPECT_EQ(g.tC[2], kDashes142);
    EXPECT_EQ(g.tC[3], kDashes142);
    EXPECT_EQ(g.tE[1], "");
    EXPECT_EQ(g.tE[3], "");

    const ShopSettings d = defaultShopSettings(Defaults::Editor);
    EXPECT_EQ(d.tC[2].size(), 142u);
    EXPECT_EQ(d.tC[3].size(), 141u);
    EXPECT_EQ(d.tC[3], kDashes142.substr(0, 141));
    EXPECT_EQ(d.tE[1], "Nebylo vybráno žádné zboží.");
    EXPECT_EQ(d.tE[2], "");
    EXPECT_EQ(d.tE[3], "Vyberte nejdříve počet kusů u zboží, které chcete objednat...");
    EXPECT_EQ(d.tC[1], "Bylo vybráno následující zboží:");
    EXPECT_EQ(d.tC[6], " s DPH).");
    EXPECT_EQ(d.tC[11], "Chcete nyní vybrané zboží přidat do objednávky?");
    EXPECT_EQ(d.tC[13], "");
}

TEST(ShopSettings, FileWithoutConfirmHasEveryLineOnWithDefaultTexts) {
    TempDir dir;
    const auto file = dir / "obchod.qsh";
    writeFile(file, "[odskoky]\r\nnavigace=/navigace.htm\r\nKOSIK_ANO=true\r\n"
                    "umisteni=vpravo\r\nvelikost=25\r\nbody=False\r\n"
                    "[Error]\r\ntE2=  druhy  \r\n");
    const ShopSettings s = readShopSettings(file, Defaults::Editor);
    EXPECT_EQ(s.navigace, "/navigace.htm");
    EXPECT_FALSE(s.kosikAno); // only exactly "True" is on
    EXPECT_EQ(s.umisteni, "vpravo");
    EXPECT_EQ(s.velikost, "25");
    EXPECT_FALSE(s.body);
    EXPECT_EQ(s.c, defaultShopSettings(Defaults::Editor).c);
    EXPECT_EQ(s.tC, defaultShopSettings(Defaults::Editor).tC);
    EXPECT_EQ(s.tE[1], "Nebylo vybráno žádné zboží.");
    EXPECT_EQ(s.tE[2], "druhy");
}

TEST(ShopSettings, WrittenInTheDialogsOrderAndReadBack) {
    TempDir dir;
    const auto file = dir / "default.qsh";
    ShopSettings s = defaultShopSettings(Defaults::Editor);
    s.navigace = "/navigace.htm";
    s.pracovni = "/uvod.htm";
    s.kosik = "/obchod/kosik.htm";
    s.kosikAno = false;
    s.umisteni = "vlevo";
    s.velikost = "200";
    s.c[9] = false;
    s.tC[10] = "  volný řádek  ";
    s.oddelovac = "2";
    writeShopSettings(file, s);
    const std::string expected =
        "[Odskoky]\r\nNavigace=/navigace.htm\r\nPracovni=/uvod.htm\r\nKosik=/obchod/kosik.htm\r\n"
        "Kosik_ano=False\r\numisteni=vlevo\r\nvelikost=200\r\nbody=True\r\n"
        "[Confirm]\r\nc0=True\r\nc1=True\r\ntC1=Bylo vybr\xE1no n\xE1sleduj\xED"
        "c\xED zbo\x9E\xED:\r\n"
        "c2=True\r\ntC2=\"" +
        kDashes142 + "\"\r\nc3=True\r\nc4=True\r\ntC3=" + kDashes142.substr(0, 141) +
        "\r\nc5=True\r\ntC4=Celkem vybr\xE1no zbo\x9E\xED v hodnot\xEC:\r\n"
        "tC5=K\xE8 bez DPH (\r\ntC6=\" s DPH).\"\r\n"
        "c6=True\r\ntC7=Celkov\xE1 cena n\xE1kupn\xED karty bude:\r\ntC8=K\xE8 bez DPH (\r\n"
        "tC9=\" s DPH).\"\r\nc7=True\r\ntC10=\"  voln\xFD \xF8\xE1"
        "dek  \"\r\nc8=True\r\n"
        "tC11=Chcete nyn\xED vybran\xE9 zbo\x9E\xED p\xF8idat do objedn\xE1vky?\r\n"
        "c9=False\r\ntC12=\r\nc10=True\r\ntC13=\r\n"
        "[Error]\r\ntE1=Nebylo vybr\xE1no \x9E\xE1"
        "dn\xE9 zbo\x9E\xED.\r\ntE2=\r\n"
        "tE3=Vyberte nejd\xF8\xEDve po\xE8"
        "et kus\xF9 u zbo\x9E\xED, kter\xE9 chcete "
        "objednat...\r\n"
        "[Status]\r\ntS1=\"Celkov\xE1 cena vybran\xE9ho zbo\x9E\xED: \"\r\ntS2=K\xE8 bez DPH (\r\n"
        "tS3=\" s DPH).\"\r\n"
        "[FormatCisla]\r\nzaokr=0\r\noddelovac=2\r\ndesetinne=0\r\nukoncovac=0\r\n";
    EXPECT_EQ(readFile(file), expected);
    EXPECT_EQ(readShopSettings(file, Defaults::Editor), s);
    EXPECT_EQ(readShopSettings(file, Defaults::Generator), s);
}

TEST(ShopSettings, SavingKeepsKeysItDoesNotKnow) {
    TempDir dir;
    const auto file = dir / "stary.qsh";
    writeFile(file, "[Odskoky]\r\nNavigace=/nav.htm\r\nStary=1\r\n[Jine]\r\nx=y\r\n");
    ShopSettings s = readShopSettings(file, Defaults::Editor);
    s.velikost = "120";
    writeShopSettings(file, s);
    const std::string bytes = readFile(file);
    EXPECT_TRUE(bytes.starts_with("[Odskoky]\r\nNavigace=/nav.htm\r\nStary=1\r\nPracovni=\r\n"));
    EXPECT_NE(bytes.find("[Jine]\r\nx=y\r\n[Confirm]\r\n"), std::string::npos);
    EXPECT_EQ(readShopSettings(file, Defaults::Editor), s);
}

TEST(NumberFormat, SeparatorsMarksAndEndings) {
    ShopSettings s;
    EXPECT_EQ(numberSample(s), "123.456.789,-");
    const auto sampleWith = [](const char* t, const char* d, const char* e) {
        ShopSettings x;
        x.oddelovac = t;
        x.desetinne = d;
        x.ukoncovac = e;
        return numberSample(x);
    };
    EXPECT_EQ(sampleWith("1", "1", "1"), "123,456,789.00");
    EXPECT_EQ(sampleWith("2", "0", "0"), "123 456 789,-");
    EXPECT_EQ(sampleWith("3", "2", "2"), "123456789");
    // Any other value counts as the first entry.
    EXPECT_EQ(sampleWith("4", "x", "-1"), "123.456.789,-");
    EXPECT_EQ(sampleWith("", "3", "10"), "123.456.789,-");

    s.zaokr = "2";
    EXPECT_EQ(numberFormat(s).rounding, 2);
    s.zaokr = "3";
    EXPECT_EQ(numberFormat(s).rounding, 0);
    EXPECT_EQ(formatIndex("1", 3), 1);
    EXPECT_EQ(formatIndex("3", 3), 0);
    EXPECT_EQ(formatIndex("3", 4), 3);
    EXPECT_EQ(formatIndex("01", 4), 0);
    EXPECT_EQ(roundingChoices().size(), 3u);
    EXPECT_EQ(thousandsChoices().size(), 4u);
    EXPECT_EQ(decimalChoices().size(), 3u);
    EXPECT_EQ(endingChoices().size(), 3u);
}

TEST(NumberFormat, AmountsAsTheShopScriptPrintsThem) {
    NumberFormat f;
    EXPECT_EQ(formatAmount(1234.5, f), "1.234,50");
    EXPECT_EQ(formatAmount(-3, f), "-3,-");
    EXPECT_EQ(formatAmount(0, f), "0,-");
    EXPECT_EQ(formatAmount(1234567.891, f), "1.234.567,89");
    EXPECT_EQ(formatAmount(1.049, f), "1,05");
    EXPECT_EQ(formatAmount(2.996, f), "3,-"); // carried into the whole part
    EXPECT_EQ(formatAmount(0.07, f), "0,07");
    f.rounding = 1;
    EXPECT_EQ(formatAmount(2.96, f), "3,-");
    EXPECT_EQ(formatAmount(2.34, f), "2,30");
    EXPECT_EQ(formatAmount(2.35, f), "2,40");
    f.rounding = 2;
    EXPECT_EQ(formatAmount(1234.5, f), "1.235,-");
    EXPECT_EQ(formatAmount(1234.09, f), "1.234,-"); // only the first decimal counts
    EXPECT_EQ(formatAmount(2.3, f), "3,-");
    f = NumberFormat{0, " ", ".", "00"};
    EXPECT_EQ(formatAmount(100, f), "100.00");
    EXPECT_EQ(formatAmount(1000000, f), "1 000 000.00");
}

TEST(ShopSettings, ConfirmationTextFollowsTheSwitches) {
    ShopSettings s = defaultShopSettings(Defaults::Generator);
    s.tC[2] = "--";
    s.tC[3] = "==";
    s.tC[5] = " Kč bez DPH (";
    s.tC[6] = " Kč s DPH).";
    s.tC[10] = "";
    const ConfirmationAmounts a{241, 294.02, 1000, 1220};
    const std::string goods = "\n2x - Čaj (C1)";
    EXPECT_EQ(confirmationText(s, goods, a),
              "Bylo vybráno následující zboží:\n--\n2x - Čaj (C1)\n==\n"
              "Celkem vybráno zboží v hodnotě:241,- Kč bez DPH (294,02 Kč s DPH).\n"
              "Celková cena nákupní karty bude:1.241,-Kč bez DPH (1.514,02 s DPH).\n\n"
              "Chcete nyní vybrané zboží přidat do objednávky?\n\n");
    s.c[2] = s.c[4] = s.c[6] = s.c[7] = s.c[9] = s.c[10] = false;
    s.oddelovac = "2";
    EXPECT_EQ(confirmationText(s, goods, a),
              "Bylo vybráno následující zboží:\n2x - Čaj (C1)\n"
              "Celkem vybráno zboží v hodnotě:241,- Kč bez DPH (294,02 Kč s DPH).\n"
              "Chcete nyní vybrané zboží přidat do objednávky?");
    s.c[0] = false;
    EXPECT_EQ(confirmationText(s, goods, a), "");
}

} // namespace
} // namespace arkona::templates
