#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace arkona::samples {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

// A picture in memory, drawn with rectangles only: enough for previews and navigation bullets.
class Canvas {
public:
    Canvas(int width, int height, Rgb background);
    void fill(int x, int y, int w, int h, Rgb colour);
    void disc(int cx, int cy, int radius, Rgb colour);
    int width() const { return width_; }
    int height() const { return height_; }
    const std::vector<Rgb>& pixels() const { return pixels_; }

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

// Parses "RRGGBB".
Rgb colour(const std::string& hex);

void writeJpeg(const Canvas& canvas, const std::filesystem::path& file);
// GIF with a palette of the picture's colours (at most 256); `transparent` colour, if given,
// is see-through.
void writeGif(const Canvas& canvas, const std::filesystem::path& file,
              const Rgb* transparent = nullptr);

} // namespace arkona::samples
