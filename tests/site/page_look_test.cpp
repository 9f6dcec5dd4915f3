#include "base/dbf/table.h"
#include "base/error.h"
#include "base/paths.h"
#include "site/page_look.h"
#include "site/page_look_picture.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "storage/schema.h"
#include "storage/statements.h"
#include "support/other_process.h"
#include "support/project_fixture.h"
#include "support/temp_dir.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace arkona::site {
namespace {

namespace fs = std::filesystem;
using test::errorOf;
using test::readFile;
using test::writeFile;

class PageLookTest : public ::testing::Test {
protected:
    test::TempDir dir;
    fs::path project = test::copySampleProject(dir.path());
    fs::path images = project / "WWW" / "_images";
    storage::ProjectContext context;
    storage::TData2 data;
    PageLook look{data, context};

    void SetUp() override {
        context.setProjectFolder(project);
        storage::readArkonaTree(context);
        data.SetProjectPath(project);
        context.projectOpen = true;
        data.STRUKTUR_SetHtmlID("2_");
    }

    // The page row as another reader finds it in the file (the row needs its table).
    struct StoredRow {
        dbf::Table table;
        dbf::Record row;
        const dbf::Record* operator->() const { return &row; }
    };
    StoredRow stored(const std::string& id = "2_") const {
        auto table = dbf::Table::open(project / "_dbf" / "struktur.dbf", dbf::OpenMode::ReadOnly);
        const auto rows = storage::findRows(table, {{"HTMLID", id}});
        if (rows.size() != 1) {
            throw std::runtime_error("page " + id + " is not stored once");
        }
        auto row = table.read(rows.front());
        return {std::move(table), std::move(row)};
    }
    std::string storedText(const char* column, const std::string& id = "2_") const {
        return stored(id)->text(column);
    }
    fs::path picture(const char* name, const std::string& bytes) {
        const auto folder = dir.path() / "jinde";
        fs::create_directories(folder);
        writeFile(folder / name, bytes);
        return folder / name;
    }
};

TEST_F(PageLookTest, ColourFieldsStoreTheirNormalisedValue) {
    EXPECT_EQ(look.leaveColourField(kLinkColour, "f0"), "F00000");
    EXPECT_EQ(storedText("LINK_C"), "F00000");
    EXPECT_EQ(look.leaveColourField(kTextColour, ""), "000000");
    EXPECT_EQ(storedText("TXT_COLOR"), "000000");
    look.writeColour(kPageColour, "000080"); // "tmavě modrá" from the palette
    EXPECT_EQ(storedText("BGCOLOR"), "000080");
    EXPECT_TRUE(stored()->isTrue("UPDATED"));
    // Only the current page changed.
    EXPECT_EQ(storedText("LINK_C", "7_"), "2F5F2F");
}

TEST_F(PageLookTest, AnEmptyNavigationColourKeepsItsStoredValue) {
    EXPECT_EQ(look.leaveColourField(kNavigationColour, ""), "E8F0E0");
    EXPECT_EQ(storedText("TD1_C"), "E8F0E0");
    EXPECT_EQ(look.leaveColourField(kNavigationColour, "fffffe"), "FFFFFE");
    EXPECT_EQ(storedText("TD1_C"), "FFFFFE");
}

TEST_F(PageLookTest, MarginsIndentAndWidthStayWithinTheirRanges) {
    look.writeMargin("TOP_MRG", -1);
    look.writeMargin("LEFT_BRD", 1500);
    look.writeMargin("RIGHT_PAD", -40);
    look.writeIndent(60);
    const auto row = stored();
    EXPECT_EQ(row->integer("TOP_MRG"), -1);
    EXPECT_EQ(row->integer("LEFT_BRD"), 999);
    EXPECT_EQ(row->integer("RIGHT_PAD"), -1);
    EXPECT_EQ(row->integer("TYPTREE"), 50);
    EXPECT_EQ(look.margin("TOP_MRG"), -1);
    EXPECT_EQ(look.indent(), 50);

    EXPECT_EQ(look.navigationWidth(), (NavigationWidth{WidthUnit::Pixels, 170}));
    look.writeNavigationWidth(switchUnit(look.navigationWidth(), WidthUnit::Percent));
    EXPECT_EQ(storedText("TAB_WIDTH"), "21%");
    look.writeNavigationWidth({WidthUnit::Pixels, 201});
    EXPECT_EQ(storedText("TAB_WIDTH"), "201");
}

TEST_F(PageLookTest, TextsFlagsAndMemos) {
    look.writeBackgroundProperties("  fixed  ");
    EXPECT_EQ(storedText("BGPROP"), "fixed");
    look.writeFlag("TAB", false);
    look.writeFlag("NAVIGACE", false);
    look.writeMemo("HD", "<H1>Úvod</H1>\r\n");
    look.writeText("TXT_FONT", "<FONT FACE=\"Courier CE, Courier\" SIZE=4 COLOR=\"#000000\">");
    const auto row = stored();
    EXPECT_FALSE(row->isTrue("TAB"));
    EXPECT_FALSE(row->isTrue("NAVIGACE"));
    EXPECT_EQ(row->memo("HD"), "<H1>Úvod</H1>\r\n");
    EXPECT_EQ(row->text("TXT_FONT"),
              "<FONT FACE=\"Courier CE, Courier\" SIZE=4 COLOR=\"#000000\">");
    EXPECT_EQ(look.sourcePath(), "/uvod.htm");
}

TEST_F(PageLookTest, TheChangesSurviveTheDataModuleAndAreSeenByASecondOne) {
    look.leaveColourField(kVisitedLinkColour, "abc");
    data.CloseQuery();
    storage::TData2 second;
    second.SetProjectPath(project);
    second.STRUKTUR_SetHtmlID("2_");
    EXPECT_EQ(second.qStruktur.text("VLINK_C"), "ABC000");
}

TEST_F(PageLookTest, TheOwnerIsThePathOfTheChosenPage) {
    look.writeOwner("10_");
    EXPECT_EQ(storedText("VLASTNIK"), "/zbozi/caje/zelene.htm");
    look.writeOwner("1_");
    EXPECT_EQ(storedText("VLASTNIK"), "/hlavni.htm");
    EXPECT_EQ(errorOf([&] { look.writeOwner("99_"); }), "Stránka 99_ nebyla nalezena.");
    EXPECT_EQ(storedText("VLASTNIK"), "/hlavni.htm");
    look.clearOwner();
    EXPECT_EQ(storedText("VLASTNIK"), "");
}

TEST_F(PageLookTest, AFailedWriteLeavesTheRowAsStoredAndTheNextWriteWorks) {
    const std::string font = look.text("TXT_FONT");
    const std::string tooLong = "<FONT FACE=\"" + std::string(140, 'x') + "\" SIZE=2>";
    EXPECT_NE(errorOf([&] { look.writeText("TXT_FONT", tooLong); }).find("je delší než 150"),
              std::string::npos);
    EXPECT_FALSE(data.qStruktur.editing());
    EXPECT_EQ(look.text("TXT_FONT"), font);
    EXPECT_EQ(storedText("TXT_FONT"), font);
    look.writeColour(kPageColour, "123456");
    EXPECT_EQ(storedText("BGCOLOR"), "123456");
    EXPECT_EQ(storedText("TXT_FONT"), font);
}

TEST_F(PageLookTest, APictureFromAnotherFolderIsCopiedAndOnlyItsNameStored) {
    int filesBefore = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(images)) {
        ++filesBefore;
    }
    const auto file = picture("pozadi.gif", "GIF89a-pozadi");
    EXPECT_EQ(look.choosePicture("BACKGROUND", file), "pozadi.gif");
    EXPECT_EQ(storedText("BACKGROUND"), "pozadi.gif");
    EXPECT_EQ(readFile(images / "pozadi.gif"), "GIF89a-pozadi");
    EXPECT_EQ(look.picture("BACKGROUND"), images / "pozadi.gif");

    // A newer file of the same name replaces the old one.
    writeFile(file, "GIF89a-nove");
    look.choosePicture("L3_OV", file);
    EXPECT_EQ(storedText("L3_OV"), "pozadi.gif");
    EXPECT_EQ(readFile(images / "pozadi.gif"), "GIF89a-nove");
    // Nothing but the picture is left in the folder.
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(images)) {
        ++files;
    }
    EXPECT_EQ(files, filesBefore + 1); // the sample's pictures and pozadi.gif

    look.clearPicture("BACKGROUND");
    EXPECT_EQ(storedText("BACKGROUND"), "");
    EXPECT_TRUE(look.picture("BACKGROUND").empty());
    EXPECT_TRUE(fs::exists(images / "pozadi.gif")); // other pages may use it
}

TEST_F(PageLookTest, APictureChosenFromImagesItselfIsNotDestroyed) {
    const std::string before = readFile(images / "nav.gif");
    ASSERT_FALSE(before.empty());
    EXPECT_EQ(look.choosePicture("L1_OV", images / "nav.gif"), "nav.gif");
    EXPECT_EQ(readFile(images / "nav.gif"), before);
    // The same file by another way.
    look.choosePicture("L2_OV", project / "WWW" / "_images" / ".." / "_images" / "nav.gif");
    fs::create_symlink(images / "nav.gif", dir.path() / "odkaz.gif");
    EXPECT_EQ(look.choosePicture("L3_OV", dir.path() / "odkaz.gif"), "odkaz.gif");
    EXPECT_EQ(readFile(images / "nav.gif"), before);
    EXPECT_EQ(storedText("L1_OV"), "nav.gif");
    EXPECT_EQ(storedText("L2_OV"), "nav.gif");
}

TEST_F(PageLookTest, TheImagesFolderIsCreatedAndANameInAnotherCaseIsReused) {
    fs::remove_all(images);
    look.choosePicture("L1_OM", picture("Bod.GIF", "A"));
    EXPECT_EQ(readFile(images / "Bod.GIF"), "A");
    // Choosing bod.gif replaces Bod.GIF instead of putting a second file beside it, and the
    // page stores the name the file has.
    EXPECT_EQ(look.choosePicture("L2_OM", picture("bod.gif", "B")), "Bod.GIF");
    EXPECT_EQ(storedText("L2_OM"), "Bod.GIF");
    EXPECT_EQ(readFile(images / "Bod.GIF"), "B");
    EXPECT_FALSE(fs::exists(images / "bod.gif"));
}

TEST_F(PageLookTest, APictureThatCannotBeCopiedLeavesTheFieldAndTheOldFile) {
    const auto failure = [&](const fs::path& file, const std::string& why) {
        return "Obrázek „" + paths::forDisplay(file) + "“ se nepodařilo zkopírovat do složky „" +
               paths::forDisplay(images) + "“: " + why + ".";
    };
    const auto namesIn = [](const fs::path& folder) {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(folder)) {
            names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    };
    // A folder stands where the copy has to go.
    fs::create_directories(images / "blok.gif");
    const auto before = namesIn(images);
    const auto blocked = picture("blok.gif", "X");
    EXPECT_EQ(errorOf([&] { look.choosePicture("L1_OV", blocked); }),
              failure(blocked, "jde o složku, ne o soubor"));
    EXPECT_EQ(storedText("L1_OV"), "vyb.gif");
    EXPECT_EQ(look.text("L1_OV"), "vyb.gif");
    EXPECT_EQ(namesIn(images), before); // no half-written copy is left behind

    const auto missing = dir.path() / "jinde" / "neni.gif";
    EXPECT_EQ(errorOf([&] { look.choosePicture("BACKGROUND", missing); }),
              failure(missing, "soubor neexistuje"));
    EXPECT_EQ(storedText("BACKGROUND"), "");
}

TEST_F(PageLookTest, APictureWhoseFolderOrNameCannotBeUsedIsRefused) {
    const std::string longName(47, 'a');
    EXPECT_EQ(
        errorOf([&] { look.choosePicture("L1_OM", picture((longName + ".gif").c_str(), "X")); }),
        "Název obrázku „" + longName + ".gif“ je delší než 50 znaků. Přejmenujte prosím soubor.");
    EXPECT_FALSE(fs::exists(images / (longName + ".gif")));
    EXPECT_EQ(storedText("L1_OM"), "nav.gif");
    EXPECT_EQ(errorOf([&] { look.choosePicture("L1_OM", picture("smajlík😀.gif", "X")); }),
              "Název obrázku „smajlík😀.gif“ obsahuje znak, který nelze uložit. Přejmenujte prosím "
              "soubor.");
    // A file where the pictures folder should be.
    fs::remove_all(images);
    writeFile(images, "soubor");
    EXPECT_EQ(errorOf([&] { look.choosePicture("L1_OM", picture("a.gif", "X")); }),
              "Složku „" + paths::forDisplay(images) +
                  "“ nelze vytvořit: na jejím místě je soubor.");
    EXPECT_EQ(storedText("L1_OM"), "nav.gif");
}

} // namespace
} // namespace arkona::site
