#include "catalogue/picture_files.h"
#include "catalogue/picture_tag.h"
#include "storage/data_module.h"
#include "storage/project_context.h"
#include "support/project_fixture.h"
#include "support/recorders.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona::catalogue {
namespace {

using Strings = std::vector<std::string>;
namespace fs = std::filesystem;

TEST(PictureTagTest, TheTagsOfTheDialogReadBackField) {
    const PictureTag t = parsePictureTag(
        "<IMG SRC=\"obr/zeleny caj.gif\" ALIGN=\"RIGHT\" BORDER=\"2\" HSPACE=\"5\" VSPACE=\"7\" "
        "WIDTH=\"50%\" HEIGHT=\"120\" ALT=\"Zelený čaj\">");
    EXPECT_EQ(t.src, "obr/zeleny caj.gif");
    EXPECT_EQ(t.align, PictureAlign::Right);
    EXPECT_EQ(t.border, 2);
    EXPECT_EQ(t.hspace, 5);
    EXPECT_EQ(t.vspace, 7);
    EXPECT_TRUE(t.size);
    EXPECT_EQ(t.width, 50);
    EXPECT_TRUE(t.widthPercent);
    EXPECT_EQ(t.height, 120);
    EXPECT_FALSE(t.heightPercent);
    EXPECT_EQ(t.alt, "Zelený čaj");
    // Built again: the same tag, blanks kept.
    EXPECT_EQ(buildPictureTag(t, "zeleny caj.gif", false),
              "<IMG SRC=\"zeleny caj.gif\" ALIGN=\"RIGHT\" BORDER=\"2\" HSPACE=\"5\" VSPACE=\"7\" "
              "WIDTH=\"50%\" HEIGHT=\"120\" ALT=\"Zelený čaj\">");
}

TEST(PictureTagTest, AttributesInAnyOrderCaseAndQuoting) {
    const PictureTag t = parsePictureTag(
        "<img alt='můj \"nejlepší\" obrázek' width=80 Border = 3 src='můj obrázek.jpg' "
        "align=absMiddle height=\"10%\" data-x=\"y\"/>");
    EXPECT_EQ(t.src, "můj obrázek.jpg");
    EXPECT_EQ(t.alt, "můj \"nejlepší\" obrázek");
    EXPECT_EQ(t.align, PictureAlign::AbsMiddle);
    EXPECT_EQ(t.border, 3);
    EXPECT_EQ(t.width, 80);
    EXPECT_FALSE(t.widthPercent);
    EXPECT_EQ(t.height, 10);
    EXPECT_TRUE(t.heightPercent);
    EXPECT_EQ(buildPictureTag(t, pictureFileName(t.src), true),
              "<IMG SRC=\"můj obrázek.jpg\" ALIGN=\"ABSMIDDLE\" BORDER=\"3\" WIDTH=\"80\" "
              "HEIGHT=\"10%\" ALT=\"můj &quot;nejlepší&quot; obrázek\"> ");
}

TEST(PictureTagTest, WhatIsWrittenAndWhatIsLeftOut) {
    PictureTag t = parsePictureTag("<IMG SRC=\"a.gif\" ALIGN=\"SIDEWAYS\">");
    EXPECT_EQ(t.align, PictureAlign::None);
    EXPECT_FALSE(t.size);
    // Border 0 is always written, spacings of 0 are not; a blank ALT is left out.
    t.alt = "   ";
    EXPECT_EQ(buildPictureTag(t, "a.gif", false), "<IMG SRC=\"a.gif\" BORDER=\"0\">");
    // Sizes only with "Určit" and above 0; ALT written untrimmed.
    t.width = 40;
    t.height = 0;
    t.alt = " okraj ";
    EXPECT_EQ(buildPictureTag(t, "a.gif", false),
              "<IMG SRC=\"a.gif\" BORDER=\"0\" ALT=\" okraj \">");
    t.size = true;
    EXPECT_EQ(buildPictureTag(t, "a.gif", false),
              "<IMG SRC=\"a.gif\" BORDER=\"0\" WIDTH=\"40\" ALT=\" okraj \">");
    // Inserting without a file: an empty SRC, and the blank after the tag.
    EXPECT_EQ(buildPictureTag(PictureTag{}, pictureFileName(""), true),
              "<IMG SRC=\"\" BORDER=\"0\"> ");
    EXPECT_EQ(pictureFileName("C:\\obr\\x.gif"), "x.gif");
    EXPECT_EQ(pictureFileName("/home/u/y z.jpg"), "y z.jpg");
    EXPECT_EQ(pictureFileName("ručně.gif"), "ručně.gif");
    EXPECT_EQ(altOfFile("y z.jpg", 1234), "y z.jpg (1234 bytes)");
    // Numbers out of range are kept within the fields.
    t = parsePictureTag("<IMG BORDER=123456 WIDTH=\"9999999\" HSPACE=\"-4\">");
    EXPECT_EQ(t.border, 9999);
    EXPECT_EQ(t.width, 99999);
    EXPECT_EQ(t.hspace, 0);
}

struct PictureCopyTest : ::testing::Test {
    test::TempDir dir;
    fs::path page = dir / "WWW" / "caje";
    test::ScriptedPrompter prompter;

    PictureCopyTest() {
        fs::create_directories(dir / "fotky");
        fs::create_directories(dir / "WWW");
        test::writeFile(dir / "fotky" / "caj.jpg", "nový");
        test::writeFile(dir / "fotky" / "jiny.jpg", "jiný");
    }
    PictureCopy copy(const fs::path& source, const std::string& name) {
        return copyPicture(source, page, name, kTagPictureExists, Answer::No, prompter);
    }
};

TEST_F(PictureCopyTest, AskOnlyWhenAnotherFileOfThatNameIsThere) {
    EXPECT_EQ(copy(dir / "fotky" / "caj.jpg", "caj.jpg"), PictureCopy::Copied);
    EXPECT_EQ(test::readFile(page / "caj.jpg"), "nový");
    EXPECT_TRUE(prompter.messages.empty());
    test::writeFile(dir / "fotky" / "caj.jpg", "novější");
    prompter.answers = {Answer::No};
    EXPECT_EQ(copy(dir / "fotky" / "caj.jpg", "caj.jpg"), PictureCopy::KeptExisting);
    EXPECT_EQ(test::readFile(page / "caj.jpg"), "nový");
    prompter.answers = {Answer::Yes};
    EXPECT_EQ(copy(dir / "fotky" / "caj.jpg", "caj.jpg"), PictureCopy::Copied);
    EXPECT_EQ(test::readFile(page / "caj.jpg"), "novější");
    EXPECT_EQ(prompter.messages,
              (Strings{"question: Obrázek uvedeného jména již existuje, chcete ho přepsat?",
                       "question: Obrázek uvedeného jména již existuje, chcete ho přepsat?"}));
}

TEST_F(PictureCopyTest, TheFileOfTheTargetFolderItselfIsNeitherCopiedNorAsked) {
    copy(dir / "fotky" / "caj.jpg", "caj.jpg");
    prompter.messages.clear();
    EXPECT_EQ(copy(page / "caj.jpg", "caj.jpg"), PictureCopy::AlreadyThere);
    EXPECT_EQ(copy(page / ".." / "caje" / "caj.jpg", "caj.jpg"), PictureCopy::AlreadyThere);
    // A name typed by hand is a file of the folder.
    EXPECT_EQ(copy("caj.jpg", "caj.jpg"), PictureCopy::AlreadyThere);
    EXPECT_TRUE(prompter.messages.empty());
    EXPECT_EQ(test::readFile(page / "caj.jpg"), "nový");
}

TEST_F(PictureCopyTest, AFailureShowsItsReason) {
    EXPECT_EQ(copy(dir / "fotky" / "chybi.jpg", "chybi.jpg"), PictureCopy::Failed);
    EXPECT_EQ(copy("rucne.gif", "rucne.gif"), PictureCopy::Failed);
    test::writeFile(dir / "WWW" / "blok", "");
    EXPECT_EQ(copyPicture(dir / "fotky" / "jiny.jpg", dir / "WWW" / "blok" / "x", "jiny.jpg",
                          kTagPictureExists, Answer::No, prompter),
              PictureCopy::Failed);
    ASSERT_EQ(prompter.messages.size(), 3u);
    EXPECT_EQ(prompter.messages[0],
              "error: Soubor „" + (dir / "fotky" / "chybi.jpg").string() + "“ neexistuje!");
    EXPECT_EQ(prompter.messages[1],
              "error: Soubor „" + (page / "rucne.gif").string() + "“ neexistuje!");
    EXPECT_TRUE(prompter.messages[2].starts_with("error: Obrázek „" +
                                                 (dir / "fotky" / "jiny.jpg").string() +
                                                 "“ nelze zkopírovat do složky „"))
        << prompter.messages[2];
}

TEST(SelectedPageFolder, TheDiskOfTheCurrentPageBelowTheSiteFolder) {
    test::TempDir dir;
    storage::ProjectContext project;
    project.setProjectFolder(test::copySampleProject(dir.path()));
    storage::TData2 data;
    data.SetProjectPath(project.projectFolder);
    EXPECT_EQ(selectedPageFolder(data, project), project.siteFolder);
    data.STRUKTUR_SetHtmlID("10_");
    ASSERT_FALSE(data.qStruktur.isEmpty());
    EXPECT_EQ(selectedPageFolder(data, project), project.siteFolder / "zbozi" / "caje");
}

} // namespace
} // namespace arkona::catalogue
