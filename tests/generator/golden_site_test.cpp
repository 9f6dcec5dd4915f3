// The whole site of a small project, generated with a fixed clock, against files written by
// hand (tests/data/generator): every byte of every page.
#include "base/codepage.h"
#include "generator/shop_script.h"
#include "generator_fixture.h"
#include "templates/shop_settings.h"

#include <set>

namespace arkona::generator::test {
namespace {

namespace fs = std::filesystem;

const fs::path kExpected = fs::path(ARKONA_TEST_DATA_DIR) / "generator";

class GoldenSite : public GeneratorFixture {
protected:
    void SetUp() override {
        // No company: its meta line is left out.
        setProject("[Projekt]\r\nName=Čajovna U Lípy\r\nAutor=Jana Nováková\r\n");
        addPages({
            page("1_", 1, "0_", "hlavni", "", "Hlavní strana",
                 {{"NAVIGACE", false}, {"HD", "<!-- hlava -->"}, {"FT", "<P>Bez rámců.</P>"}}),
            page("2_", 2, "0_", "uvod", "", "Úvod",
                 {{"HD", "<H1>Vítejte</H1>"},
                  {"BACKGROUND", "chybi.gif"}, // not in _images: left out
                  {"MRG_HEIGHT", 0},
                  {"MRG_WIDTH", -1},
                  {"TOP_MRG", 5},
                  {"TOP_BRD", 0},
                  {"FT", "<HR>Čajovna U Lípy</body>\r\n</HTML>\r\nzbytek"}}),
            page("7_", 3, "0_", "zbozi", "", "Naše zboží",
                 {{"TYPTREE", 0},
                  {"BACKGROUND", "pozadi.gif"},
                  {"TD1_C", "FFFFFE"},
                  {"FT", "<HR>Kontakty</Html>x</BODY>"}}),
            page("8_", 4, "7_", "caje", "/zbozi", "Čaje"),
            page("9_", 5, "8_", "zelene", "/zbozi/caje", "Zelené čaje", {{"NAVIGACE", false}}),
            page("10_", 6, "9_", "sencha", "/zbozi/caje/zelene", "Sencha",
                 {{"VLASTNIK", "/zbozi/obchod.htm"},
                  {"TD1_C", ""},
                  {"MRG_HEIGHT", 1},
                  {"MRG_WIDTH", 2},
                  {"TOP_MRG", 3},
                  {"LEFT_MRG", 4},
                  {"RIGHT_MRG", 5},
                  {"BOTTOM_MRG", 6},
                  {"TOP_BRD", 7},
                  {"LEFT_BRD", 8},
                  {"RIGHT_BRD", 9},
                  {"BOTTOM_BRD", 0}}),
            page("11_", 7, "7_", "kava", "/zbozi", "Káva"),
            // A link page: listed in the navigation, never written (its own look differs, so
            // a page written from it would show).
            page("13_", 8, "7_", "kontakt", "", "Kde nás najdete",
                 {{"LINK", true}, {"TAB", false}, {"HD", "ODKAZ"}}),
            page("12_", 9, "0_", "kontakt", "", "Kontakt",
                 {{"TAB", false},
                  {"HD", ""},
                  {"FT", ""},
                  {"TXT_COLOR", ""},
                  {"BGCOLOR", ""},
                  {"VLINK_C", ""}}),
        });
        addSection("1_", 1, 1, "t", "<STYLE>A {text-decoration:none}</STYLE>");
        addSection("1_", 2, 2, "h");
        addSection("2_", 1, 2, "t", "<P>Druhý odstavec.</P>");
        addSection("2_", 2, 1, "t", "<P>První odstavec.</P>\r\n<P>Pokračování.</P>");
        addSection("2_", 3, 3, "p");
        addSection("2_", 4, 4, "x", "<P>neznámý typ</P>");
        addSection("8_", 1, 1, "t", "<P>Čaje z Číny a Japonska.</P>");
        addSection("10_", 1, 1, "t", "<P>Japonský zelený čaj.</P>");
        addSection("12_", 1, 1, "t", "<P>Volejte.</P>");
        addVariable(storage::kPromSys, "2_", "Expires", "0");
        addVariable(storage::kPromSys, "99_", "Refresh", "cizí stránka");
        addVariable(storage::kPromSys, "2_", "Refresh", "30");
        addVariable(storage::kPromUsr, "2_", "Keywords", "čaj, káva");
        addVariable(storage::kPromUsr, "2_", "Description", "Obchod s čajem");
        // The frame set on the right, a quarter of the width.
        fs::create_directories(project / "_sablony");
        arkona::test::writeFile(project / "_sablony" / "default.qsh",
                                "[Odskoky]\r\nNavigace=/navigace.htm\r\nPracovni=/uvod.htm\r\n"
                                "umisteni=vpravo\r\nvelikost=25\r\nbody=False\r\n");
        fs::create_directories(site / "_images");
        arkona::test::writeFile(site / "_images" / "pozadi.gif", "GIF89a");
        loadTree();
    }

    static GenerationOptions options(bool skip) {
        GenerationOptions o;
        o.dateLineText = "Aktualizováno:";
        o.skipSectionLevel = skip;
        return o;
    }

    // The shop script library stands in the expected frame-set page as one marker line; the
    // library's own lines are checked on their own (shop_script_test).
    std::string withLibrary(std::string expected) const {
        const std::string marker = "@KNIHOVNA@\r\n";
        const size_t at = expected.find(marker);
        if (at == std::string::npos) {
            return expected;
        }
        std::string library;
        for (const auto& line : shopScriptLines(templates::readShopSettings(
                 project / "_sablony" / "default.qsh", templates::Defaults::Generator))) {
            library += line + "\r\n";
        }
        return expected.replace(at, marker.size(), text::fromUtf8ForHtml(library));
    }

    // The page files of a folder, as paths relative to it.
    static std::set<std::string> htmFiles(const fs::path& folder) {
        std::set<std::string> files;
        for (const auto& e : fs::recursive_directory_iterator(folder)) {
            if (e.is_regular_file() && e.path().extension() == ".htm") {
                files.insert(e.path().lexically_relative(folder).generic_string());
            }
        }
        return files;
    }
};

TEST_F(GoldenSite, EveryPageOfTheSiteIsWrittenByteForByte) {
    const RunReport report = generate(GenerationScope::All, {}, options(false));
    EXPECT_EQ(report.total, 8);
    EXPECT_EQ(report.written, 8);
    EXPECT_TRUE(report.failures.empty());
    EXPECT_TRUE(report.complete());

    const fs::path expected = kExpected / "cely";
    const auto files = htmFiles(expected);
    ASSERT_EQ(files.size(), 8u);
    // Exactly these pages: the link page wrote nothing of its own.
    EXPECT_EQ(htmFiles(site), files);
    for (const auto& file : files) {
        SCOPED_TRACE(file);
        EXPECT_TRUE(sameBytes(written(file), withLibrary(arkona::test::readFile(expected / file))));
    }
}

TEST_F(GoldenSite, SkippingTheSectionLevelAndADateLineWithoutDateAndTime) {
    GenerationOptions o = options(true);
    o.date = false;
    o.time = false;
    generate(GenerationScope::All, {}, o);
    EXPECT_TRUE(sameBytes(written("uvod.htm"),
                          arkona::test::readFile(kExpected / "preskakovani" / "uvod.htm")));
    EXPECT_TRUE(sameBytes(written("zbozi/caje/zelene/sencha.htm"),
                          arkona::test::readFile(kExpected / "preskakovani" / "sencha.htm")));
}

TEST_F(GoldenSite, TheStateLineCountsThePagesOfTheRun) {
    generate(GenerationScope::Branch, "8_", options(false));
    std::vector<std::string> pages;
    for (const auto& e : display.events) {
        if (e.starts_with("page|")) {
            pages.push_back(e);
        }
    }
    EXPECT_EQ(pages,
              (std::vector<std::string>{
                  "page| \\zbozi\\caje.htm| Čaje| strana 1 z 3   ( 33 % )",
                  "page| \\zbozi\\caje\\zelene.htm| Zelené čaje| strana 2 z 3   ( 67 % )",
                  "page| \\zbozi\\caje\\zelene\\sencha.htm| Sencha| strana 3 z 3   ( 100 % )",
              }));
    // A normal page goes through six steps, a frame-set page through four.
    const std::vector<std::string> normal = {"step|... hlavička", "step|... navigace",
                                             "step|... hlavička", "step|... sekce",
                                             "step|... patička",  "step|... ukončování"};
    EXPECT_EQ(std::vector<std::string>(display.events.begin() + 1, display.events.begin() + 7),
              normal);
    display.events.clear();
    generate(GenerationScope::Page, "1_", options(false));
    EXPECT_EQ(display.events, (std::vector<std::string>{
                                  "page| \\hlavni.htm| Hlavní strana| strana 1 z 1   ( 100 % )",
                                  "step|... hlavička", "step|... sekce", "step|... hlavička",
                                  "step|... ukončování"}));
}

} // namespace
} // namespace arkona::generator::test
