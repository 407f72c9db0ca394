// The Windows picture formats the resource compiler takes, written byte by
// byte so that the generated files are the same on every machine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace art {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// Pixels row by row from the top, as every drawing routine here thinks of them.
struct RgbImage {
    int width = 0, height = 0;
    std::vector<Rgb> pixels;
    RgbImage() = default;
    RgbImage(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}
    Rgb& at(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    const Rgb& at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

struct IndexedImage {
    int width = 0, height = 0;
    std::vector<Rgb> palette;       // at most 1 << bits entries
    std::vector<uint8_t> indices;   // row by row from the top
};

// A .bmp of 24 bits per pixel, uncompressed, bottom-up.
std::string Bitmap24File(const RgbImage& image);

// A .bmp of 8 bits per pixel with a full 256-entry colour table.
std::string Bitmap8File(const IndexedImage& image);

// A .ico holding one image of 4 bits per pixel; transparent[i] marks the
// pixels the AND mask lets the desktop show through.
std::string Icon4File(const IndexedImage& image, const std::vector<bool>& transparent);

}  // namespace art
