// The templates of the built sample project, and "arkona template show".
#include "support/project_fixture.h"
#include "support/temp_dir.h"
#include "templates/page_choices.h"
#include "templates/payment_settings.h"
#include "templates/template_files.h"
#include "templates/template_keywords.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <set>

namespace arkona::templates {
namespace {

namespace fs = std::filesystem;

constexpr GridKind kGrids[] = {GridKind::Header, GridKind::Items, GridKind::Totals};

fs::path sample() {
    return test::samplesFolder() / "zakladni";
}

SectionTemplate sampleTemplate(const char* name) {
    const auto kind = kindOfName(name);
    const auto at = locateTemplate(sample(), name, *kind);
    EXPECT_TRUE(at.exists && !at.isDefault) << name;
    return readTemplate(at.file, *kind, Defaults::Generator);
}

const char* const kTemplates[] = {"default.qsp", "akce.qsp", "default.qsk", "default.qso"};

TEST(SampleTemplates, TheStyleCarriesItsTemplatesAndButtonPicture) {
    for (const char* f :
         {"default.qsp", "akce.qsp", "default.qsk", "default.qso", "default.qsh", "objednat.gif"}) {
        EXPECT_TRUE(fs::is_regular_file(sample() / "_sablony" / f)) << f;
    }
    EXPECT_EQ(test::readFile(sample() / "_sablony" / "objednat.gif"),
              test::readFile(sample() / "WWW" / "_images" / "objednat.gif"));
    EXPECT_TRUE(test::readFile(sample() / "_sablony" / "objednat.gif").starts_with("GIF8"));
    // Written by the program's writer: Windows-1250, CR LF, texts in single quotes.
    const std::string qsk = test::readFile(sample() / "_sablony" / "default.qsk");
    EXPECT_NE(qsk.find("[c0]\r\nbgcolor=2F5F2F\r\n"), std::string::npos);
    EXPECT_NE(qsk.find("text1='Zbo\x9E\xED v ko\x9A\xEDku'\r\n"), std::string::npos);
    EXPECT_NE(qsk.find("[Karta]\r\nObjednavka='/objednavka.htm'\r\n"), std::string::npos);
}

TEST(SampleTemplates, EveryKeywordIsValidForItsGridAndKind) {
    for (const char* name : kTemplates) {
        const SectionTemplate t = sampleTemplate(name);
        for (GridKind g : kGrids) {
            const auto& allowed = itemKeywords(t.kind, g);
            for (int n = 0; n < kGridCells; ++n) {
                const std::string& item = t.grid(g)[n].item;
                EXPECT_TRUE(item.empty() ||
                            std::find(allowed.begin(), allowed.end(), item) != allowed.end())
                    << name << " grid " << sectionLetter(g) << n << ": " << item;
            }
        }
    }
}

TEST(SampleTemplates, TogetherTheyUseEveryKeywordAndButton) {
    std::set<std::string> used[3][3]; // by kind (p, k, o) and grid
    const auto kindIndex = [](TemplateKind k) {
        return k == TemplateKind::Product ? 0 : k == TemplateKind::Cart ? 1 : 2;
    };
    for (const char* name : kTemplates) {
        const SectionTemplate t = sampleTemplate(name);
        for (int g = 0; g < 3; ++g) {
            for (const auto& cell : t.grid(kGrids[g]).cells) {
                used[kindIndex(t.kind)][g].insert(cell.item);
            }
        }
    }
    // Product templates use every keyword of their grids; cart and order templates every
    // button, and between them every cart total.
    for (int g = 1; g < 3; ++g) {
        for (const auto& k : itemKeywords(TemplateKind::Product, kGrids[g])) {
            EXPECT_TRUE(used[0][g].count(k)) << k;
        }
    }
    for (const char* button : {"[tl. objednat zbozi]", "[tl. objednat eCITY]",
                               "[tl. pokracovat ve vyberu]", "[tl. vyprázdnit košík]"}) {
        EXPECT_TRUE(used[1][2].count(button)) << button;
    }
    EXPECT_TRUE(used[1][1].count("[tl. smazat]"));
    EXPECT_TRUE(used[2][2].count("[tl. zpět do nákupní karty]"));
    for (const auto& k : itemKeywords(TemplateKind::Order, GridKind::Totals)) {
        EXPECT_TRUE(used[1][2].count(k) || used[2][2].count(k)) << k;
    }
}

TEST(SampleTemplates, RowsAreFilledExactlyAndWritten) {
    for (const char* name : kTemplates) {
        const SectionTemplate t = sampleTemplate(name);
        for (GridKind g : kGrids) {
            const CellGrid& grid = t.grid(g);
            // Every written row is filled by its spans without clipping.
            for (int row = 0; row * kGridColumns <= grid.lastUsedCell(); ++row) {
                int n = row * kGridColumns;
                while (n < (row + 1) * kGridColumns) {
                    const int span = grid[n].span(n);
                    EXPECT_EQ(std::to_string(span), grid[n].colspan)
                        << name << " " << sectionLetter(g) << n;
                    n += span;
                }
                EXPECT_EQ(n, (row + 1) * kGridColumns) << name << " row " << row;
            }
            EXPECT_GT(grid.lastWrittenCell(), 0) << name << " " << sectionLetter(g);
        }
    }
}

TEST(SampleTemplates, OrderFormMatchesTheChecksOfTheScript) {
    const SectionTemplate t = sampleTemplate("default.qso");
    const auto& rows = t.orderRows;
    // Card payment and bank payment are offered, so the card details are written.
    EXPECT_TRUE(rows[62].exists());
    EXPECT_TRUE(rows[60].exists());
    EXPECT_TRUE(rows[97].exists());
    // The card number check knows these type names exactly.
    EXPECT_EQ(rows[64].text1, "VISA");
    EXPECT_EQ(rows[65].text1, "EuroCard/MasterCard");
    EXPECT_EQ(rows[66].text1, "Variant ČS");
    EXPECT_FALSE(t.cislo.empty());
    EXPECT_FALSE(t.platnost.empty());
    EXPECT_FALSE(rows[1].exists()); // an empty heading is switched off
    int on = 0;
    for (const auto& r : rows) {
        on += r.exists() ? 1 : 0;
        if (r.exists() && r.item.starts_with("oRad")) {
            EXPECT_FALSE(r.text1.empty()) << r.item;
        }
    }
    EXPECT_EQ(on, 101 - 40);

    const fs::path ini = sample() / "ArkonaTree.ini";
    const OrderFormSettings form = readOrderFormSettings(ini, Defaults::Generator);
    EXPECT_EQ(form.action, "odeslano.htm");
    EXPECT_EQ(form.onSubmit, "return overeni(this)");
    EXPECT_EQ(form.add[0], " ENCTYPE=\"application/x-www-form-urlencoded\"");
    EXPECT_EQ(readPaymentSettings(ini, PaymentSection::Expandia, Defaults::Generator),
              initialPaymentSettings(PaymentSection::Expandia));
    EXPECT_EQ(readPaymentSettings(ini, PaymentSection::ECity, Defaults::Generator),
              initialPaymentSettings(PaymentSection::ECity));
    EXPECT_NE(test::readFile(ini).find("[Form]\r\naction='odeslano.htm'\r\nmethod='GET'\r\n"),
              std::string::npos);
}

TEST(SampleTemplates, ShopSettingsNamePagesOfTheSample) {
    const ShopSettings s = readSectionShopSettings(sample(), "", Defaults::Generator);
    std::set<std::string> urls;
    for (const auto& page : pagesInTreeOrder(sample())) {
        urls.insert(page.url);
    }
    for (const std::string& url :
         {s.navigace, s.pracovni, s.kosik, sampleTemplate("default.qsk").objednavka}) {
        EXPECT_TRUE(urls.count(url)) << url;
    }
    EXPECT_EQ(s.navigace, "/navigace.htm");
    EXPECT_EQ(numberSample(s), "123 456 789,-");
    EXPECT_FALSE(s.c[9]);
    EXPECT_TRUE(s.c[0]);
}

TEST(TemplateShow, PrintsTheTemplateAsTheProgramReadsIt) {
    const std::string cli = ARKONA_CLI_PATH;
    const auto qsh = sample() / "_sablony" / "default.qsh";
    const auto shown = test::runCommand(cli + " template show " + test::shellQuote(qsh.string()));
    EXPECT_EQ(shown.exitCode, 0);
    EXPECT_TRUE(shown.out.starts_with("[Odskoky]\nNavigace=/navigace.htm\nPracovni=/uvod.htm\n"));
    EXPECT_NE(shown.out.find("tC5=\" Kč bez DPH (\"\n"), std::string::npos);
    EXPECT_NE(shown.out.find("[FormatCisla]\nzaokr=0\noddelovac=2\n"), std::string::npos);

    const auto qsp = sample() / "_sablony" / "akce.qsp";
    const auto product = test::runCommand(cli + " template show " + test::shellQuote(qsp.string()));
    EXPECT_EQ(product.exitCode, 0);
    EXPECT_TRUE(product.out.starts_with(
        "; nadpisy: poslední použitá buňka 8, generátor zapíše buňky 0 až 9\n"
        "; položky: poslední použitá buňka 39, generátor zapíše buňky 0 až 39\n"))
        << product.out.substr(0, 300);
    EXPECT_NE(product.out.find("[p39]\nbgcolor=FFFFFF\n"), std::string::npos);
    EXPECT_NE(product.out.find("item=[tl. objednat]\n"), std::string::npos);
    EXPECT_NE(product.out.find("picture=objednat.gif\n"), std::string::npos);

    // A file with only some keys: the rest is shown with the generator's or editor's defaults.
    test::TempDir dir;
    test::writeFile(dir / "kus.qsp", "[c0]\r\ntext1=Jen nadpis\r\n");
    const auto part =
        test::runCommand(cli + " template show " + test::shellQuote((dir / "kus.qsp").string()));
    EXPECT_NE(part.out.find("[c0]\nbgcolor=\nfont=\nitem=\ntext1='Jen nadpis'\n"),
              std::string::npos);
    EXPECT_TRUE(part.out.starts_with("; nadpisy: poslední použitá buňka 39"));
    const auto editor = test::runCommand(cli + " template show --editor " +
                                         test::shellQuote((dir / "kus.qsp").string()));
    EXPECT_NE(editor.out.find("[c1]\nbgcolor=FFFFFF\n"), std::string::npos);
    EXPECT_TRUE(editor.out.starts_with("; nadpisy: poslední použitá buňka 0, generátor zapíše "
                                       "buňky 0 až 0\n"));

    const auto missing =
        test::runCommand(cli + " template show " + test::shellQuote((dir / "nic.qsp").string()));
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "arkona: Soubor „" + (dir / "nic.qsp").string() + "“ neexistuje.\n");
    const auto wrong = test::runCommand(cli + " template show ArkonaTree.ini");
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_TRUE(wrong.err.starts_with("arkona: soubor „ArkonaTree.ini“ není šablona"));
    EXPECT_EQ(test::runCommand(cli + " template").exitCode, 2);
    const auto help = test::runCommand(cli + " template --help");
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("arkona template show SOUBOR [--editor]"), std::string::npos);
}

} // namespace
} // namespace arkona::templates
