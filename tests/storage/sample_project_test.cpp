// The built sample project through the data module, end to end, read back by an independent reader.
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "support/project_fixture.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona::storage {
namespace {

using test::TempDir;

TEST(SampleProject, IsACompleteProjectInTheCurrentFormat) {
    const auto sample = test::samplesFolder() / "zakladni";
    ASSERT_TRUE(isProjectFolder(sample));
    for (const char* f : {"vzor.ini", "nahled.jpg", "nav.gif", "vyb.gif", "WWW/_images/nav.gif",
                          "WWW/_images/vyb.gif", "_sablony", "_obr"}) {
        EXPECT_TRUE(std::filesystem::exists(sample / f)) << f;
    }
    for (const auto& schema : projectTables()) {
        const auto table =
            dbf::Table::open(sample / "_dbf" / schema.fileName, dbf::OpenMode::ReadOnly);
        EXPECT_EQ(table.fields(), schema.fields()) << schema.fileName;
        EXPECT_EQ(table.info().languageDriver, 0xC8) << schema.fileName;
    }
    ProjectContext c;
    c.setProjectFolder(sample);
    readArkonaTree(c);
    EXPECT_EQ(c.projectName, "Ukázkový obchod");
    EXPECT_EQ(c.currency, "Kč");
    const std::string ini = test::readFile(c.iniPath());
    EXPECT_NE(ini.find("Name=Uk\xE1zkov\xFD obchod\r\n"), std::string::npos); // Windows-1250, CR LF
    EXPECT_NE(ini.find("[Mena]\r\nCurrency=K\xE8\r\n"), std::string::npos);
}

TEST(SampleProject, WalkChangeCheckPackAndReadBack) {
    TempDir dir;
    const auto project = test::copySampleProject(dir.path());
    TData2 data;
    data.SetProjectPath(project);

    // Every view opens and every column of every row reads.
    data.STRUKTUR_SetHtmlID("");
    data.qTree.open();
    data.qPomSkupiny.open();
    data.qDistrib.open();
    data.SKUPINY_SetSkupID(1);
    data.PROM_SetHtmlID("2_");
    data.qSestSk.open();
    data.STRUKTUR_SetHtmlID("8_");
    data.qHtml.last(); // the product section of "Čaje" opens the goods views
    data.qZboziUpr.open();
    int rows = 0;
    for (DataView* v :
         {&data.qStruktur, &data.qTree, &data.qLink, &data.qHtml, &data.qZbozi, &data.qZboziUpr,
          &data.qSkupiny, &data.qPomSkupiny, &data.qKatalog, &data.qKompot, &data.qSestSk,
          &data.qDistrib, &data.qPromSystem, &data.qPromUser}) {
        ASSERT_TRUE(v->isOpen()) << v->name();
        const size_t columns =
            dbf::Table::open(v->tableFile(), dbf::OpenMode::ReadOnly).fields().size();
        for (const auto& r : v->rows()) {
            for (size_t c = 0; c < columns; ++c) {
                (void)r.display(static_cast<int>(c));
            }
            ++rows;
        }
    }
    EXPECT_GT(rows, 20);
    std::vector<std::string> tree;
    for (const auto& r : data.qTree.rows()) {
        tree.push_back(r.text("HTMLID"));
    }
    EXPECT_EQ(tree, (std::vector<std::string>{"1_", "2_", "3_", "4_", "5_", "6_", "7_", "8_", "10_",
                                              "9_", "11_", "12_"}));
    EXPECT_EQ(data.qLink.text("HTMLID"), "8_");
    EXPECT_EQ(data.qHtml.text("TYP"), "p");

    // Changes through the write operations.
    data.qHtml.first();
    data.qHtml.setText("POPIS", "Úvod k čajům – nově");
    data.qHtml.post();
    data.HTML_UPDATE(1);
    int sekce = 0, poradi = 0;
    data.HTML_MAX(sekce, poradi);
    data.qHtml.insert();
    for (auto [c, v] : {std::pair{"HTMLID", "8_"}, {"TYP", "t"}, {"POPIS", "Doplněk"}}) {
        data.qHtml.setText(c, v);
    }
    data.qHtml.setNumber("SEKCEID", sekce + 1);
    data.qHtml.setNumber("PORADI", poradi + 1);
    data.qHtml.post();
    data.HTML_UPDATE(6);
    data.qHtml.setMemo("HTML", "<P>Doplňující text</P>");
    data.HTML_UPDATE(2);
    data.qHtml.first();
    data.qHtml.next(); // "Nabídka čajů", a product section
    data.qHtml.remove();
    data.qDistrib.insert();
    data.qDistrib.setNumber("DISTID", data.DISTRIB_MAX() + 1);
    data.qDistrib.setText("NAZEV", "Čajovna Šťastný");
    data.qDistrib.post();
    data.DISTRIB_UPDATE(2);
    data.STRUKTUR_SetHtmlID("12_");
    data.qStruktur.setText("POPIS", "Kde nás najdete?");
    data.qStruktur.post();

    data.CloseQuery();
    data.qTree.close();
    data.CheckData(nullptr);
    EXPECT_TRUE(data.PACK().empty());
    EXPECT_EQ(dbf::Table::open(project / "_dbf" / "html.dbf").recordCount(),
              11u); // deleted row packed away

    const auto read = [&](const char* table) {
        const auto r = test::runCommand(
            "/usr/bin/python3 " +
            test::shellQuote(std::string(ARKONA_TEST_DATA_DIR) + "/interop/read_dbfread.py") + " " +
            test::shellQuote((project / "_dbf" / table).string()));
        EXPECT_EQ(r.exitCode, 0) << r.err;
        return r.out;
    };
    const std::string html = read("html.dbf");
    EXPECT_NE(html.find(R"("HTMLID": "8_", "POPIS": "Úvod k čajům – nově")"), std::string::npos)
        << html;
    EXPECT_NE(
        html.find(
            R"("HTML": "<P>Doplňující text</P>", "HTMLID": "8_", "POPIS": "Doplněk", "PORADI": 3, "SABID": "", "SEKCEID": 3)"),
        std::string::npos)
        << html;
    EXPECT_EQ(html.find("Nabídka čajů"), std::string::npos);
    EXPECT_NE(read("distrib.dbf").find(R"({"DISTID": 1, "NAZEV": "Čajovna Šťastný"})"),
              std::string::npos);
    const std::string pages = read("struktur.dbf");
    EXPECT_NE(pages.find(R"("POPIS": "Kde nás najdete?")"), std::string::npos);
}

} // namespace
} // namespace arkona::storage
