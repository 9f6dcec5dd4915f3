#include "base/error.h"
#include "base/picture_size.h"
#include "support/temp_dir.h"

#include <cstdio>
#include <gif_lib.h>
#include <gtest/gtest.h>
#include <jpeglib.h>
#include <vector>

namespace arkona {
namespace {

namespace fs = std::filesystem;

void writeJpeg(const fs::path& file, int width, int height) {
    FILE* out = std::fopen(file.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> line(static_cast<size_t>(width) * 3, 200);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = line.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(out);
}

void writeGif(const fs::path& file, int width, int height) {
    int error = 0;
    GifFileType* gif = EGifOpenFileName(file.c_str(), false, &error);
    ASSERT_NE(gif, nullptr);
    GifColorType colours[2] = {{0, 0, 0}, {255, 255, 255}};
    ColorMapObject* map = GifMakeMapObject(2, colours);
    EGifPutScreenDesc(gif, width, height, 1, 0, map);
    EGifPutImageDesc(gif, 0, 0, width, height, false, nullptr);
    std::vector<GifPixelType> line(static_cast<size_t>(width), 1);
    for (int y = 0; y < height; ++y) {
        EGifPutLine(gif, line.data(), width);
    }
    GifFreeMapObject(map);
    EGifCloseFile(gif, &error);
}

std::string pngHeader(std::uint32_t width, std::uint32_t height) {
    std::string h = "\x89PNG\r\n\x1a\n";
    h += std::string("\0\0\0\x0d", 4) + "IHDR";
    for (std::uint32_t v : {width, height}) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            h += static_cast<char>((v >> shift) & 0xFF);
        }
    }
    h += std::string("\x08\x02\0\0\0", 5) + "crc!";
    return h;
}

TEST(PictureSize, ReadsEachKindByItsContentNotItsName) {
    test::TempDir dir;
    writeJpeg(dir / "fotka.jpg", 37, 21);
    writeGif(dir / "ikona.gif", 300, 2);
    test::writeFile(dir / "obrázek.png", pngHeader(640, 480));
    writeJpeg(dir / "jinak.gif", 5, 7);
    EXPECT_EQ(readPictureSize(dir / "fotka.jpg"), (PictureSize{37, 21}));
    EXPECT_EQ(readPictureSize(dir / "ikona.gif"), (PictureSize{300, 2}));
    EXPECT_EQ(readPictureSize(dir / "obrázek.png"), (PictureSize{640, 480}));
    EXPECT_EQ(readPictureSize(dir / "jinak.gif"), (PictureSize{5, 7}));
}

TEST(PictureSize, AnUnreadablePictureIsAnErrorNamingTheFile) {
    test::TempDir dir;
    test::writeFile(dir / "text.jpg", "tohle není obrázek");
    test::writeFile(dir / "useknuty.jpg", std::string("\xFF\xD8\xFF\xE0\0\x10JFIF", 10));
    test::writeFile(dir / "kratky.png", pngHeader(1, 1).substr(0, 20));
    test::writeFile(dir / "nula.png", pngHeader(0, 10));
    test::writeFile(dir / "useknuty.gif", "GIF89a\x01");
    const auto message = [&](const char* name) {
        try {
            readPictureSize(dir / name);
        } catch (const Error& e) {
            return std::string(e.what());
        }
        return std::string("<no error>");
    };
    EXPECT_EQ(message("text.jpg"),
              "Obrázek „text.jpg“ nelze načíst: není to obrázek GIF, JPEG ani PNG.");
    EXPECT_TRUE(message("useknuty.jpg")
                    .starts_with("Obrázek „useknuty.jpg“ nelze načíst: "
                                 "poškozený soubor JPEG"))
        << message("useknuty.jpg");
    EXPECT_EQ(message("kratky.png"),
              "Obrázek „kratky.png“ nelze načíst: poškozený soubor PNG (chybí hlavička IHDR).");
    EXPECT_EQ(message("nula.png"),
              "Obrázek „nula.png“ nelze načíst: poškozený soubor PNG (neplatné rozměry).");
    EXPECT_TRUE(message("useknuty.gif")
                    .starts_with("Obrázek „useknuty.gif“ nelze načíst: "
                                 "poškozený soubor GIF"))
        << message("useknuty.gif");
    EXPECT_EQ(message("chybi.jpg"), "Obrázek „chybi.jpg“ nelze načíst: soubor nelze otevřít.");
}

} // namespace
} // namespace arkona
