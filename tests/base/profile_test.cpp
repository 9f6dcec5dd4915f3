#include "base/error.h"
#include "base/profile.h"
#include "support/temp_dir.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace arkona {
namespace {

using test::readFile;
using test::writeFile;

// Windows-1250 bytes: "ů" F9, "á" E1, "č" E8, "í" ED, "ř" F8.
const std::string kSample = "; nastaven\xED projektu = koment\xE1\xF8\r\n"
                            "#garbage without equals\r\n"
                            "[Projekt]\r\n"
                            "Name = M\xF9j obchod \r\n"
                            "Autor=\"Jan Nov\xE1k\"\r\n"
                            "Quoted='a b'\r\n"
                            "Half=\"abc\r\n"
                            "Mixed=\"abc'\r\n"
                            "Name=druhy\r\n"
                            "; konec projektu\r\n"
                            "\r\n"
                            "[MENA]\n"
                            "Currency=K\xE8\n"
                            "[projekt]\r\n"
                            "Spolecnost=Duplicitni\r\n";

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.what();
    }
    return "no error";
}

std::size_t entriesIn(const std::filesystem::path& folder) {
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++n;
    }
    return n;
}

class Profile : public ::testing::Test {
protected:
    test::TempDir dir;
    std::filesystem::path file = dir / "ArkonaTree.ini";
};

TEST_F(Profile, ReadsValuesAsTheWindowsCallsDo) {
    writeFile(file, kSample);
    const ProfileFile p(file);
    EXPECT_TRUE(p.exists());
    EXPECT_EQ(p.readString("projekt", "NAME"), "Můj obchod"); // blanks trimmed, first wins
    EXPECT_EQ(p.readString("Projekt", "Autor"), "Jan Novák");
    EXPECT_EQ(p.readString("Projekt", "Quoted"), "a b");
    EXPECT_EQ(p.readString("Projekt", "Half"), "\"abc");
    EXPECT_EQ(p.readString("Projekt", "Mixed"), "\"abc'");
    EXPECT_EQ(p.readString("mena", "currency"), "Kč");
    // Only the first section of a name is read.
    EXPECT_EQ(p.readString("Projekt", "Spolecnost", "-"), "-");
    EXPECT_EQ(p.readString("Projekt", "chybi", "výchozí"), "výchozí");
    EXPECT_EQ(p.readString("Chybi", "Name", "x"), "x");
    EXPECT_FALSE(p.hasKey("Projekt", "; konec projektu"));
    EXPECT_FALSE(p.hasKey("", "; nastavení projektu"));
    EXPECT_TRUE(p.hasSection("PROJEKT"));
    EXPECT_EQ(p.sections(), (std::vector<std::string>{"Projekt", "MENA"}));
    EXPECT_EQ(p.keys("projekt"),
              (std::vector<std::string>{"Name", "Autor", "Quoted", "Half", "Mixed"}));
    EXPECT_EQ(ProfileFile::read(file, "MENA", "Currency"), "Kč");
}

TEST_F(Profile, MissingFileGivesDefaults) {
    const ProfileFile p(file);
    EXPECT_FALSE(p.exists());
    EXPECT_EQ(p.readString("Projekt", "Name", "nic"), "nic");
    EXPECT_EQ(p.readInt("Sazby_DPH", "iDPH_L", 5), 5);
    EXPECT_TRUE(p.readSwitch("Generate", "GenAkt", true));
    EXPECT_FALSE(p.hasSection("Projekt"));
    EXPECT_TRUE(p.sections().empty());
    EXPECT_EQ(ProfileFile::read(dir / "chybi" / "x.ini", "A", "b", "d"), "d");
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(Profile, IntegersAndSwitches) {
    writeFile(file, "[S]\r\na=42\r\nb= -7 \r\nc=+3\r\nd=abc\r\ne=12a\r\nf=\r\ng=1.5\r\n"
                    "h=99999999999\r\ni=\"8\"\r\nj=- 1\r\n"
                    "t1=True\r\nt2=true\r\nt3=False\r\nt4=TRUE\r\nt5= True \r\n");
    const ProfileFile p(file);
    EXPECT_EQ(p.readInt("s", "a", 0), 42);
    EXPECT_EQ(p.readInt("s", "b", 0), -7);
    EXPECT_EQ(p.readInt("s", "c", 0), 3);
    EXPECT_EQ(p.readInt("s", "i", 0), 8);
    for (const char* key : {"d", "e", "f", "g", "h", "j", "missing"}) {
        EXPECT_EQ(p.readInt("s", key, 5), 5) << key;
    }
    EXPECT_TRUE(p.readSwitch("s", "t1", false));
    EXPECT_TRUE(p.readSwitch("s", "t5", false));
    EXPECT_FALSE(p.readSwitch("s", "t2", true));
    EXPECT_FALSE(p.readSwitch("s", "t3", true));
    EXPECT_FALSE(p.readSwitch("s", "t4", true));
    EXPECT_TRUE(p.readSwitch("s", "missing", true));
    EXPECT_FALSE(p.readSwitch("s", "missing", false));
}

TEST_F(Profile, WritingTouchesOnlyItsLine) {
    writeFile(file, kSample);
    ProfileFile p(file);
    p.writeString("projekt", "autor", "Eva Dvořáková");
    p.writeString("Projekt", "Vytvoren", "9.12.2026");
    p.writeString("PROJEKT", "name", "Můj obchod"); // unchanged value: line stays as it is
    p.writeString("mena", "currency", "EUR");
    p.save();
    EXPECT_EQ(readFile(file), "; nastaven\xED projektu = koment\xE1\xF8\r\n"
                              "#garbage without equals\r\n"
                              "[Projekt]\r\n"
                              "Name = M\xF9j obchod \r\n"
                              "Autor=Eva Dvo\xF8\xE1kov\xE1\r\n"
                              "Quoted='a b'\r\n"
                              "Half=\"abc\r\n"
                              "Mixed=\"abc'\r\n"
                              "Name=druhy\r\n"
                              "Vytvoren=9.12.2026\r\n"
                              "; konec projektu\r\n"
                              "\r\n"
                              "[MENA]\r\n"
                              "Currency=EUR\r\n"
                              "[projekt]\r\n"
                              "Spolecnost=Duplicitni\r\n");
}

TEST_F(Profile, WritingCreatesSectionsAndTheFile) {
    ProfileFile::write(file, "Projekt", "Name", "Čajovna");
    EXPECT_EQ(readFile(file), "[Projekt]\r\nName=\xC8"
                              "ajovna\r\n");

    ProfileFile p(file);
    p.writeInt("Sazby_DPH", "iDPH_L", -5);
    p.writeSwitch("Generate", "GenAkt", true);
    p.writeSwitch("Generate", "GenDatum", false);
    p.writeString("projekt", "Autor", "");
    p.save();
    EXPECT_EQ(readFile(file), "[Projekt]\r\nName=\xC8"
                              "ajovna\r\nAutor=\r\n"
                              "[Sazby_DPH]\r\niDPH_L=-5\r\n"
                              "[Generate]\r\nGenAkt=True\r\nGenDatum=False\r\n");
    EXPECT_EQ(ProfileFile(file).readInt("SAZBY_DPH", "idph_l", 0), -5);

    // An empty section gets its first key right below its header.
    writeFile(file, "[A]\r\n[B]\r\nx=1\r\n");
    ProfileFile::write(file, "a", "k", "v");
    EXPECT_EQ(readFile(file), "[A]\r\nk=v\r\n[B]\r\nx=1\r\n");
}

TEST_F(Profile, ValuesReadBackExactlyAsWritten) {
    const std::string values[] = {" lead", "trail ", "\"quoted\"", "'single'",
                                  "\"\"",  "\"",     "a=b;c",      "  "};
    ProfileFile p(file);
    for (std::size_t i = 0; i < std::size(values); ++i) {
        p.writeString("V", "k" + std::to_string(i), values[i]);
    }
    p.save();
    const ProfileFile reread(file);
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(reread.readString("V", "k" + std::to_string(i)), values[i]);
    }
    EXPECT_EQ(readFile(file), "[V]\r\nk0=\" lead\"\r\nk1=\"trail \"\r\nk2=\"\"quoted\"\"\r\n"
                              "k3=\"'single'\"\r\nk4=\"\"\"\"\r\nk5=\"\r\nk6=a=b;c\r\n"
                              "k7=\"  \"\r\n");
}

TEST_F(Profile, QuotedValuesAlwaysGetSingleQuotes) {
    writeFile(file, "[T]\r\nsame='Cena'\r\nbare=Cena\r\n");
    ProfileFile p(file);
    const std::string values[] = {"", "  Cena  ", "'x'", "a'", "\"b\"", "Kč"};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        p.writeQuoted("T", "k" + std::to_string(i), values[i]);
    }
    p.writeQuoted("t", "SAME", "Cena"); // already so: the line stays
    p.writeQuoted("t", "bare", "Cena"); // stored bare: gets its quotes
    EXPECT_THROW(p.writeQuoted("T", "zlom", "a\r\nb"), Error);
    EXPECT_THROW(p.writeQuoted("T", "azbuka", "\u0416"), Error); // not in Windows-1250
    p.save();
    EXPECT_EQ(readFile(file), "[T]\r\nsame='Cena'\r\nbare='Cena'\r\nk0=''\r\nk1='  Cena  '\r\n"
                              "k2=''x''\r\nk3='a''\r\nk4='\"b\"'\r\nk5='K\xE8'\r\n");
    const ProfileFile reread(file);
    for (std::size_t i = 0; i < std::size(values); ++i) {
        EXPECT_EQ(reread.readString("T", "k" + std::to_string(i)), values[i]);
    }
}

TEST_F(Profile, LastLineWithoutLineEnd) {
    writeFile(file, "[A]\r\na=1");
    ProfileFile p(file);
    p.writeString("A", "a", "2");
    p.save();
    EXPECT_EQ(readFile(file), "[A]\r\na=2");
    p.writeString("A", "b", "3");
    p.save();
    EXPECT_EQ(readFile(file), "[A]\r\na=2\r\nb=3\r\n");
}

TEST_F(Profile, EraseKeysAndSections) {
    writeFile(file, "[A]\r\nx=1\r\n;c\r\nX=2\r\ny=3\r\n[B]\r\nz=4\r\n[a]\r\nq=5\r\n");
    ProfileFile p(file);
    p.eraseKey("a", "x");
    EXPECT_FALSE(p.hasKey("A", "x"));
    EXPECT_EQ(p.readString("A", "y"), "3");
    p.eraseSection("b");
    p.save();
    EXPECT_EQ(readFile(file), "[A]\r\n;c\r\ny=3\r\n[a]\r\nq=5\r\n");
    p.eraseSection("A");
    p.save();
    EXPECT_EQ(readFile(file), "");
}

TEST_F(Profile, RefusedWritesChangeNothing) {
    writeFile(file, kSample);
    ProfileFile p(file);
    EXPECT_EQ(errorOf([&] { p.writeString("Projekt", "Name", "Cena €5 ≈ 130 Kč"); }),
              "Znak „≈“ (U+2248) nelze uložit v kódové stránce Windows-1250.");
    EXPECT_EQ(errorOf([&] { p.writeString("Nový ≈", "Name", "x"); }),
              "Znak „≈“ (U+2248) nelze uložit v kódové stránce Windows-1250.");
    EXPECT_EQ(errorOf([&] { p.writeString("Projekt", "Name", "a\r\nb=c"); }),
              "Hodnota „a\r\nb=c“ nelze uložit do souboru nastavení, protože obsahuje konec "
              "řádku.");
    EXPECT_EQ(errorOf([&] { p.writeString("Projekt", "a=b", "x"); }),
              "Název „a=b“ nelze použít jako klíč souboru nastavení.");
    EXPECT_EQ(errorOf([&] { p.writeString("Projekt", "", "x"); }),
              "Název „“ nelze použít jako klíč souboru nastavení.");
    EXPECT_EQ(errorOf([&] { p.writeString("a]b", "k", "x"); }),
              "Název „a]b“ nelze použít jako oddíl souboru nastavení.");
    EXPECT_EQ(p.readString("Projekt", "Name"), "Můj obchod");
    EXPECT_FALSE(p.hasSection("Nový ≈"));
    p.save();
    EXPECT_EQ(readFile(file).find("\n[MENA]\r\n"), kSample.find("\n[MENA]\n"));
}

TEST_F(Profile, FailedSaveLeavesTheOldFileIntact) {
    // The folder of the file is a regular file.
    writeFile(dir / "folder", "not a folder");
    const auto inFile = dir / "folder" / "ArkonaTree.ini";
    EXPECT_EQ(errorOf([&] { ProfileFile::write(inFile, "A", "b", "c"); }),
              "Soubor „" + inFile.string() + "“ nelze zapsat: Not a directory");

    // A read-only settings file stays as it is.
    writeFile(file, kSample);
    std::filesystem::permissions(file, std::filesystem::perms::owner_read);
    EXPECT_EQ(errorOf([&] { ProfileFile::write(file, "Projekt", "Name", "x"); }),
              "Soubor „" + file.string() + "“ nelze zapsat: Permission denied");
    EXPECT_EQ(readFile(file), kSample);
    std::filesystem::permissions(file, std::filesystem::perms::owner_all);

    // The disk fills up in the middle of writing.
    {
        struct FileSizeLimit {
            rlimit old{};
            void (*oldHandler)(int) = nullptr;
            FileSizeLimit() {
                getrlimit(RLIMIT_FSIZE, &old);
                rlimit small = old;
                small.rlim_cur = 1024;
                setrlimit(RLIMIT_FSIZE, &small);
                oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            }
            ~FileSizeLimit() {
                setrlimit(RLIMIT_FSIZE, &old);
                std::signal(SIGXFSZ, oldHandler);
            }
        } limit;
        ProfileFile p(file);
        p.writeString("Projekt", "Popis", std::string(5000, 'x'));
        EXPECT_EQ(errorOf([&] { p.save(); }),
                  "Soubor „" + file.string() + "“ nelze zapsat: File too large");
    }
    EXPECT_EQ(readFile(file), kSample);

    // The rename fails: a folder has taken the file's place. No temporary file is left behind.
    const auto taken = dir / "taken.ini";
    ProfileFile p(taken);
    p.writeString("A", "b", "c");
    std::filesystem::create_directory(taken);
    writeFile(taken / "inside", "keep");
    EXPECT_NE(errorOf([&] { p.save(); }), "no error");
    EXPECT_EQ(readFile(taken / "inside"), "keep");
    EXPECT_EQ(entriesIn(dir.path()), 3u); // folder, ArkonaTree.ini, taken.ini
}

TEST_F(Profile, UnreadableFileIsAnErrorNotAnEmptyProfile) {
    // Treating it as empty would let the next save wipe it.
    std::filesystem::create_directory(file);
    EXPECT_EQ(errorOf([&] { ProfileFile p(file); }),
              "Soubor „" + file.string() + "“ nelze přečíst: Is a directory");
}

} // namespace
} // namespace arkona
