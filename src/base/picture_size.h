#pragma once

#include <filesystem>

namespace arkona {

// The size of a picture in pixels.
struct PictureSize {
    int width = 0;
    int height = 0;
    bool operator==(const PictureSize&) const = default;
};

// Reads the size of a JPEG (libjpeg, header only), GIF (giflib, the logical screen) or PNG
// (its IHDR chunk) picture without decoding the picture. The kind is told by the file's first
// bytes, not by its name. Throws arkona::Error with a Czech message naming the file when the
// file cannot be read or is none of these kinds.
PictureSize readPictureSize(const std::filesystem::path& file);

} // namespace arkona
