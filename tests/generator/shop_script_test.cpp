#include "base/locale.h"
#include "generator/script_text.h"
#include "generator/shop_script.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona::generator {
namespace {

using templates::Defaults;
using templates::ShopSettings;

ShopSettings defaults() {
    return templates::defaultShopSettings(Defaults::Generator);
}

std::string joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& l : lines) {
        text += l + "\n";
    }
    return text;
}

// Runs the library (without its opening HTML lines) and then `code` in node; returns what the
// code printed with console.log.
std::string runInNode(const ShopSettings& s, const std::string& code) {
    test::TempDir dir;
    auto lines = shopScriptLines(s);
    lines.erase(lines.begin(), lines.begin() + 2);
    test::writeFile(dir / "lib.js", joined(lines) + code + "\n");
    // As in a browser window: top-level names are properties of `self`.
    test::writeFile(dir / "run.js",
                    "const vm=require('vm'),fs=require('fs');const w={console};w.self=w;"
                    "vm.runInNewContext(fs.readFileSync(process.argv[2],'utf8'),w);\n");
    const auto r = test::runCommand("node " + test::shellQuote((dir / "run.js").string()) + " " +
                                    test::shellQuote((dir / "lib.js").string()) + " 2>&1");
    EXPECT_EQ(r.exitCode, 0) << r.out;
    return r.out;
}

TEST(ScriptText, EscapesWhatWouldEndAStringOrTheScript) {
    EXPECT_EQ(scriptString("Vybrané zboží stojí"), "Vybrané zboží stojí");
    EXPECT_EQ(scriptString("a\"b'c\\d"), "a\\\"b\\'c\\\\d");
    EXPECT_EQ(scriptString("x\r\ny"), "x\\r\\ny");
    EXPECT_EQ(scriptString("</SCRIPT><script><!-- a<b </p>"),
              "\\x3C/SCRIPT>\\x3Cscript>\\x3C!-- a<b </p>");
}

TEST(ShopScript, FixedLinesOfTheLibrary) {
    const auto lines = shopScriptLines(defaults());
    EXPECT_EQ(lines[0], "<SCRIPT LANGUAGE=\"JavaScript\"><!--");
    EXPECT_EQ(lines[2], "var objednavka=new vynuluj(50,\"\"),objLen=0,cisKs=0,totalSUM=0,cisObj=0,"
                        "celkSum=0,celkSumDPH=0,celkSleva=0,celkSlevaDPH=0;");
    EXPECT_NE(lines[3].find(",oADR_Jmeno=\"\","), std::string::npos);
    EXPECT_EQ(lines[6], "var cestawsp=\"\",varsymbol=\"\"");
    EXPECT_EQ(lines.back(), "function ws(s) {self.wsp.document.write(s);}");
}

TEST(ShopScript, ConfirmationJumpAndAlertFollowTheSettings) {
    ShopSettings s = defaults();
    s.tC[1] = "Vkládáte \"toto\":";
    s.kosik = "/kosik.htm";
    s.kosikAno = true;
    s.tE = {"", "Nic</script>", "", "Vyberte"};
    const std::string text = joined(shopScriptLines(s));
    EXPECT_NE(text.find("conftext += \"Vkládáte \\\"toto\\\":\";\n"), std::string::npos);
    EXPECT_NE(text.find("self.wsp.location=cestawsp + \"kosik.htm\";\n}}\nelse "
                        "{alert(\"Nic\\x3C/script>\\n\\nVyberte\");\n"),
              std::string::npos)
        << text;
    s.c[0] = false;
    s.kosik = "/";
    const std::string off = joined(shopScriptLines(s));
    EXPECT_EQ(off.find("conftext"), std::string::npos);
    EXPECT_EQ(off.find("self.wsp.location"), std::string::npos);
    EXPECT_NE(off.find("self.objednavka[objLen].mj=self.wsp.seznam[cis].mj;\n}\nelse {alert("),
              std::string::npos);
}

TEST(ShopScript, FormatterRoundsCarriesAndGroups) {
    ShopSettings s = defaults();
    EXPECT_EQ(runInNode(s, "console.log([pr(1234.5),pr(-3),pr(0.35*3),pr(2.996),pr(1.005),"
                           "pr(1234567.891),pr(0.05),pr(-0.001),pr(7)].join('|'))"),
              "1.234,50|-3,-|1,05|3,-|1,01|1.234.567,89|0,05|0,-|7,-\n");
    s.zaokr = "2";
    EXPECT_EQ(runInNode(s, "console.log([pr(1234.5),pr(1234.04),pr(0.1),pr(5)].join('|'))"),
              "1.235,-|1.234,-|1,-|5,-\n");
    s.zaokr = "1";
    s.oddelovac = "2"; // a blank
    s.ukoncovac = "1"; // "00"
    EXPECT_EQ(runInNode(s, "console.log([pr(2.96),pr(1234.54),pr(1234.44),pr(12)].join('|'))"),
              "3,00|1 234,50|1 234,40|12,00\n");
}

TEST(ShopScript, TheScriptAgreesWithTheDialogsFormatter) {
    ShopSettings s = defaults();
    const double amounts[] = {0, 0.004, 0.005, 1.049, 12.5, 999.995, 1234.5, 98765.4321, -45.678};
    std::string code = "console.log([";
    std::string expected;
    for (double a : amounts) {
        code += std::to_string(a) + ",";
        expected += templates::formatAmount(a, templates::numberFormat(s)) + "|";
    }
    code += "].map(pr).join('|')+'|')";
    EXPECT_EQ(runInNode(s, code), expected + "\n");
}

TEST(ShopScript, QuantityChoicesCartGrowthAndVariableSymbol) {
    const std::string out = runInNode(
        defaults(), "console.log(Opt(1,0.1).split('</OPTION>').length-1);"
                    "console.log(Opt(10,2));console.log(Opt(5,0));"
                    "self.wsp={seznam:[null,{kod:'A',nazev:'Čaj',cena:10,sdph:12.2,sleva:0,popis:''"
                    ",ks:1,mj:'ks'}]};"
                    "cisKs=2;confirm=function(){return true;};"
                    "for(var n=0;n<60;n++){pridej();}console.log(objLen+' '+pr(celkSum)+' "
                    "'+objednavka[60].kod);"
                    "getVarSymb();console.log(varsymbol.length+' '+varsymbol.substring(0,2));");
    const std::string year = std::to_string(Date::today().year % 100);
    EXPECT_EQ(out,
              "11\n"
              "<OPTION SELECTED VALUE=\"0\">0</OPTION><OPTION VALUE=\"2\">2</OPTION><OPTION "
              "VALUE=\"4\">4</OPTION><OPTION VALUE=\"6\">6</OPTION><OPTION VALUE=\"8\">8</OPTION>"
              "<OPTION VALUE=\"10\">10</OPTION>\n"
              "<OPTION SELECTED VALUE=\"0\">0</OPTION>\n"
              "60 600,- A\n"
              "10 " +
                  year + "\n");
}

} // namespace
} // namespace arkona::generator
