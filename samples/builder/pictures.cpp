#include "pictures.h"

#include <algorithm>
#include <cstdio>
#include <gif_lib.h>
#include <jpeglib.h>
#include <stdexcept>

namespace arkona::samples {

Canvas::Canvas(int width, int height, Rgb background)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width * height), background) {}

void Canvas::fill(int x, int y, int w, int h, Rgb c) {
    for (int j = std::max(0, y); j < std::min(height_, y + h); ++j) {
        for (int i = std::max(0, x); i < std::min(width_, x + w); ++i) {
            pixels_[static_cast<size_t>(j * width_ + i)] = c;
        }
    }
}

void Canvas::disc(int cx, int cy, int radius, Rgb c) {
    for (int j = cy - radius; j <= cy + radius; ++j) {
        for (int i = cx - radius; i <= cx + radius; ++i) {
            if ((i - cx) * (i - cx) + (j - cy) * (j - cy) <= radius * radius) {
                fill(i, j, 1, 1, c);
            }
        }
    }
}

Rgb colour(const std::string& hex) {
    if (hex.size() != 6) {
        throw std::runtime_error("colour must be RRGGBB: " + hex);
    }
    const unsigned long v = std::stoul(hex, nullptr, 16);
    return {static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
            static_cast<std::uint8_t>(v)};
}

void writeJpeg(const Canvas& canvas, const std::filesystem::path& file) {
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
    jpeg_compress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = static_cast<JDIMENSION>(canvas.width());
    info.image_height = static_cast<JDIMENSION>(canvas.height());
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<JSAMPLE> line(static_cast<size_t>(canvas.width()) * 3);
    while (info.next_scanline < info.image_height) {
        for (int x = 0; x < canvas.width(); ++x) {
            const Rgb& p =
                canvas.pixels()[info.next_scanline * static_cast<size_t>(canvas.width()) +
                                static_cast<size_t>(x)];
            line[static_cast<size_t>(x) * 3] = p.r;
            line[static_cast<size_t>(x) * 3 + 1] = p.g;
            line[static_cast<size_t>(x) * 3 + 2] = p.b;
        }
        JSAMPROW row = line.data();
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(out);
}

void writeGif(const Canvas& canvas, const std::filesystem::path& file, const Rgb* transparent) {
    std::vector<Rgb> palette;
    std::vector<GifPixelType> indices;
    indices.reserve(canvas.pixels().size());
    for (const Rgb& p : canvas.pixels()) {
        auto it = std::find_if(palette.begin(), palette.end(), [&](const Rgb& q) {
            return q.r == p.r && q.g == p.g && q.b == p.b;
        });
        if (it == palette.end()) {
            if (palette.size() == 256) {
                throw std::runtime_error("too many colours for a GIF picture");
            }
            palette.push_back(p);
            it = palette.end() - 1;
        }
        indices.push_back(static_cast<GifPixelType>(it - palette.begin()));
    }
    int bits = 1;
    while ((1 << bits) < static_cast<int>(palette.size())) {
        ++bits;
    }
    palette.resize(static_cast<size_t>(1) << bits);
    int error = 0;
    GifFileType* gif = EGifOpenFileName(file.c_str(), false, &error);
    if (!gif) {
        throw std::runtime_error("cannot write " + file.string());
    }
    std::vector<GifColorType> colours;
    for (const Rgb& p : palette) {
        colours.push_back({p.r, p.g, p.b});
    }
    ColorMapObject* map = GifMakeMapObject(static_cast<int>(colours.size()), colours.data());
    EGifSetGifVersion(gif, true);
    bool ok = EGifPutScreenDesc(gif, canvas.width(), canvas.height(), bits, 0, map) == GIF_OK;
    if (ok && transparent) {
        for (size_t i = 0; i < palette.size(); ++i) {
            if (palette[i].r == transparent->r && palette[i].g == transparent->g &&
                palette[i].b == transparent->b) {
                GraphicsControlBlock gcb{};
                gcb.TransparentColor = static_cast<int>(i);
                GifByteType ext[4];
                EGifGCBToExtension(&gcb, ext);
                ok = EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, ext) == GIF_OK;
                break;
            }
        }
    }
    ok = ok &&
         EGifPutImageDesc(gif, 0, 0, canvas.width(), canvas.height(), false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < canvas.height(); ++y) {
        ok = EGifPutLine(gif, indices.data() + static_cast<size_t>(y * canvas.width()),
                         canvas.width()) == GIF_OK;
    }
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK || !ok) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

} // namespace arkona::samples
