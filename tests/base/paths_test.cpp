#include "base/error.h"
#include "base/paths.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

namespace arkona::paths {
namespace {

namespace fs = std::filesystem;

class Paths : public ::testing::Test {
protected:
    test::TempDir dir;
    void SetUp() override {
        fs::create_directories(dir / "www" / "_Images");
        test::writeFile(dir / "www" / "_Images" / "Nav.gif", "GIF");
        fs::create_directories(dir / "www" / "čaj");
    }
};

TEST_F(Paths, StoredPathsResolveWithoutRegardToCase) {
    EXPECT_EQ(resolve(dir.path(), "\\WWW\\_images\\NAV.GIF"), dir / "www/_Images/Nav.gif");
    EXPECT_EQ(resolve(dir.path(), "WWW/_IMAGES"), dir / "www/_Images");
    EXPECT_EQ(resolve(dir.path(), "\\WWW\\ČAJ"), dir / "www/čaj");
    EXPECT_EQ(resolve(dir.path(), "\\\\WWW\\\\"), dir / "www");
    EXPECT_EQ(resolve(dir.path(), ""), dir.path());
    // What does not exist yet is kept as written, below what does.
    EXPECT_EQ(resolve(dir.path(), "\\WWW\\Nova\\Sub"), dir / "www/Nova/Sub");
    EXPECT_EQ(resolve(dir.path(), "\\_dbf\\HTML.dbf"), dir / "_dbf/HTML.dbf");
}

TEST_F(Paths, ExactNameWinsOverOtherSpellings) {
    fs::create_directory(dir / "Data");
    fs::create_directory(dir / "data");
    fs::create_directory(dir / "DATA");
    EXPECT_EQ(findEntryNoCase(dir.path(), "data"), dir / "data");
    EXPECT_EQ(findEntryNoCase(dir.path(), "Data"), dir / "Data");
    // Without an exact match the choice does not depend on the directory order.
    EXPECT_EQ(findEntryNoCase(dir.path(), "dATA"), dir / "DATA");
    EXPECT_EQ(findEntryNoCase(dir.path(), "dat"), fs::path());
    EXPECT_EQ(findEntryNoCase(dir / "missing", "x"), fs::path());
}

TEST_F(Paths, StoredNotationOfAPathBelowTheProject) {
    EXPECT_EQ(toStored(dir.path(), dir / "www" / "_Images"), "\\www\\_Images");
    EXPECT_EQ(toStored(dir.path(), dir / "www" / "." / "čaj"), "\\www\\čaj");
    EXPECT_EQ(toStored(dir.path(), dir.path()), "");
    EXPECT_THROW(toStored(dir / "www", dir.path()), Error);
    EXPECT_THROW(toStored(dir.path(), "relative/www"), Error);
}

TEST(PathText, DisplayAndComparison) {
    EXPECT_EQ(forDisplay("/home/eva/Projekty/čajovna/www"), "/HOME/EVA/PROJEKTY/ČAJOVNA/WWW");
    EXPECT_TRUE(storedEquals("\\WWW\\_images", "\\www/_IMAGES"));
    EXPECT_TRUE(storedEquals("\\WWW\\Čaj", "\\www\\čAJ"));
    EXPECT_FALSE(storedEquals("\\WWW", "\\WWW2"));
    EXPECT_FALSE(storedEquals("\\WWW\\a", "\\WWW\\b"));
}

} // namespace
} // namespace arkona::paths
