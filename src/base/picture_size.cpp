#include "base/picture_size.h"

#include "base/error.h"

#include <array>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <gif_lib.h>
#include <jpeglib.h>
#include <memory>
#include <string>

namespace arkona {

namespace {

std::string displayName(const std::filesystem::path& file) {
    const std::u8string name = file.filename().u8string();
    return std::string(name.begin(), name.end());
}

[[noreturn]] void unreadable(const std::filesystem::path& file, const std::string& why) {
    throw Error("Obrázek „" + displayName(file) + "“ nelze načíst: " + why);
}

enum class Kind { Jpeg, Gif, Png, Unknown };

Kind kindOf(const unsigned char* head, std::size_t n) {
    if (n >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) {
        return Kind::Jpeg;
    }
    if (n >= 6 && (std::memcmp(head, "GIF87a", 6) == 0 || std::memcmp(head, "GIF89a", 6) == 0)) {
        return Kind::Gif;
    }
    static const unsigned char png[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (n >= 8 && std::memcmp(head, png, 8) == 0) {
        return Kind::Png;
    }
    return Kind::Unknown;
}

// libjpeg reports fatal errors through error_exit, which must not return.
struct JpegError {
    jpeg_error_mgr manager{};
    std::jmp_buf back{};
    char message[JMSG_LENGTH_MAX] = {};
};

void jpegErrorExit(j_common_ptr info) {
    auto* error = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, error->message);
    std::longjmp(error->back, 1);
}

void jpegSilent(j_common_ptr, int) {}

PictureSize jpegSize(const std::filesystem::path& file) {
    std::unique_ptr<FILE, int (*)(FILE*)> in(std::fopen(file.c_str(), "rb"), &std::fclose);
    if (!in) {
        unreadable(file, std::strerror(errno));
    }
    jpeg_decompress_struct info{};
    JpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = jpegErrorExit;
    error.manager.emit_message = jpegSilent;
    // Nothing with a destructor lives between here and the longjmp targets.
    if (setjmp(error.back) != 0) {
        jpeg_destroy_decompress(&info);
        unreadable(file, std::string("poškozený soubor JPEG (") + error.message + ").");
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, in.get());
    jpeg_read_header(&info, TRUE);
    const PictureSize size{static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
    jpeg_destroy_decompress(&info);
    return size;
}

PictureSize gifSize(const std::filesystem::path& file) {
    int error = 0;
    GifFileType* gif = DGifOpenFileName(file.c_str(), &error);
    if (!gif) {
        const char* text = GifErrorString(error);
        unreadable(file, std::string("poškozený soubor GIF (") + (text ? text : "?") + ").");
    }
    const PictureSize size{gif->SWidth, gif->SHeight};
    DGifCloseFile(gif, &error);
    return size;
}

std::uint32_t bigEndian(const unsigned char* p) {
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
           std::uint32_t(p[3]);
}

PictureSize pngSize(const std::filesystem::path& file, const unsigned char* head, std::size_t n) {
    // Signature, chunk length 13, "IHDR", width, height.
    if (n < 24 || bigEndian(head + 8) != 13 || std::memcmp(head + 12, "IHDR", 4) != 0) {
        unreadable(file, "poškozený soubor PNG (chybí hlavička IHDR).");
    }
    const std::uint32_t width = bigEndian(head + 16);
    const std::uint32_t height = bigEndian(head + 20);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF) {
        unreadable(file, "poškozený soubor PNG (neplatné rozměry).");
    }
    return {static_cast<int>(width), static_cast<int>(height)};
}

} // namespace

PictureSize readPictureSize(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        unreadable(file, "soubor nelze otevřít.");
    }
    std::array<unsigned char, 24> head{};
    in.read(reinterpret_cast<char*>(head.data()), head.size());
    const auto n = static_cast<std::size_t>(in.gcount());
    in.close();
    switch (kindOf(head.data(), n)) {
    case Kind::Jpeg:
        return jpegSize(file);
    case Kind::Gif:
        return gifSize(file);
    case Kind::Png:
        return pngSize(file, head.data(), n);
    case Kind::Unknown:
        break;
    }
    unreadable(file, "není to obrázek GIF, JPEG ani PNG.");
}

} // namespace arkona
