// Draws the product's pictures and writes them in the formats the resource
// script binds:
//   pok_art [--sketch] <resource folder> [<folder for PNG previews>]
#include <cairo.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>

#include "image_files.h"
#include "pictures.h"

namespace {

using art::Rgb;
using art::RgbImage;

void Write(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + path);
}

void Paste(RgbImage& onto, const RgbImage& image, int left, int top, int zoom = 1) {
    for (int y = 0; y < image.height * zoom; ++y)
        for (int x = 0; x < image.width * zoom; ++x)
            onto.at(left + x, top + y) = image.at(x / zoom, y / zoom);
}

void WritePng(const std::string& path, const RgbImage& image, int zoom = 1) {
    cairo_surface_t* surface =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width * zoom, image.height * zoom);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < image.height * zoom; ++y) {
        auto* row = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < image.width * zoom; ++x) {
            const Rgb c = image.at(x / zoom, y / zoom);
            row[x] = uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
        }
    }
    cairo_surface_mark_dirty(surface);
    cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
}

// What the saver's two copies do: AND the mask cell in, then OR the colour cell.
void DrawCell(RgbImage& frame, const RgbImage& sheet, int cell, int left, int top) {
    for (int y = 0; y < art::kCellHeight; ++y)
        for (int x = 0; x < art::kCellWidth; ++x) {
            const int fx = left + x, fy = top + y;
            if (fx < 0 || fy < 0 || fx >= frame.width || fy >= frame.height) continue;
            const Rgb m = sheet.at(art::kCellWidth + x, cell * art::kCellHeight + y);
            const Rgb c = sheet.at(x, cell * art::kCellHeight + y);
            Rgb& p = frame.at(fx, fy);
            p = {uint8_t((p.r & m.r) | c.r), uint8_t((p.g & m.g) | c.g), uint8_t((p.b & m.b) | c.b)};
        }
}

RgbImage IconPicture(const art::IconImage& icon, Rgb desktop) {
    RgbImage out(icon.image.width, icon.image.height);
    for (size_t i = 0; i < out.pixels.size(); ++i)
        out.pixels[i] = icon.transparent[i] ? desktop : icon.image.palette[icon.image.indices[i]];
    return out;
}

RgbImage Unindex(const art::IndexedImage& image) {
    RgbImage out(image.width, image.height);
    for (size_t i = 0; i < out.pixels.size(); ++i) out.pixels[i] = image.palette[image.indices[i]];
    return out;
}

void WritePreviews(const std::string& dir, const RgbImage& sheet, const RgbImage& title,
                   const RgbImage& preview, const art::IconImage& icon) {
    constexpr Rgb kDefaultBackground{0x80, 0xFF, 0xFF};
    const Rgb backgrounds[] = {kDefaultBackground, {255, 255, 255}, {0, 0, 0},
                               {0, 0, 128},        {70, 150, 70},   {128, 128, 128},
                               {255, 200, 220},    {250, 210, 120}};
    WritePng(dir + "/sprite_sheet.png", sheet);

    // Every cell over every background, the saver's way.
    RgbImage cells(6 * art::kCellWidth, int(std::size(backgrounds)) * art::kCellHeight);
    for (size_t b = 0; b < std::size(backgrounds); ++b) {
        RgbImage band(6 * art::kCellWidth, art::kCellHeight, backgrounds[b]);
        for (int cell = 0; cell < 6; ++cell) DrawCell(band, sheet, cell, cell * art::kCellWidth, 0);
        Paste(cells, band, 0, int(b) * art::kCellHeight);
    }
    WritePng(dir + "/dogs_on_backgrounds.png", cells);

    // One hop as the animation shows it with the default settings: four
    // frames, dx 5, lift 0, 2, 5, 2.
    const int lift[] = {0, 2, 5, 2}, pose[] = {0, 1, 2, 1};
    RgbImage hop(4 * 160, 150, kDefaultBackground);
    for (int f = 0; f < 4; ++f) DrawCell(hop, sheet, pose[f], f * 160 + 5 * f, 12 - lift[f]);
    WritePng(dir + "/hop.png", hop);
    WritePng(dir + "/hop_x3.png", hop, 3);

    WritePng(dir + "/title_card.png", title);
    WritePng(dir + "/preview_picture.png", preview);
    WritePng(dir + "/icon_x8.png", IconPicture(icon, {0, 128, 128}), 8);

    // The contact sheet: the six cells on the default background, the title
    // card, the preview picture and the icon at one and four times.
    constexpr int kGap = 12;
    const int width = 6 * art::kCellWidth;
    const int height = art::kCellHeight + 3 * kGap + title.height;
    RgbImage sheetView(width, height, {236, 236, 236});
    RgbImage band(width, art::kCellHeight, kDefaultBackground);
    for (int cell = 0; cell < 6; ++cell) DrawCell(band, sheet, cell, cell * art::kCellWidth, 0);
    Paste(sheetView, band, 0, 0);
    const int row = art::kCellHeight + 2 * kGap;
    Paste(sheetView, title, kGap, row);
    Paste(sheetView, preview, 2 * kGap + title.width, row);
    const RgbImage iconOnDesktop = IconPicture(icon, {0, 128, 128});
    Paste(sheetView, iconOnDesktop, 3 * kGap + title.width + preview.width, row);
    Paste(sheetView, iconOnDesktop, 3 * kGap + title.width + preview.width, row + 32 + kGap, 4);
    WritePng(dir + "/contact_sheet.png", sheetView);
}

}  // namespace

int main(int argc, char** argv) {
    const bool sketch = argc > 1 && std::string(argv[1]) == "--sketch";
    const int first = sketch ? 2 : 1;
    if (argc - first < 1 || argc - first > 2) {
        std::fprintf(stderr, "usage: %s [--sketch] <resource folder> [<preview folder>]\n", argv[0]);
        return 2;
    }
    try {
        const std::string dir = argv[first];
        const RgbImage sheet = art::SpriteSheet(sketch);
        const art::IndexedImage title = art::Quantize(art::TitleScene(false), 256);
        const RgbImage preview = art::TitleScene(true);
        const art::IconImage icon = art::Icon();

        Write(dir + "/sprite_sheet.bmp", art::Bitmap24File(sheet));
        Write(dir + "/title_card.bmp", art::Bitmap8File(title));
        Write(dir + "/preview_picture.bmp", art::Bitmap24File(preview));
        Write(dir + "/pok_v3.ico", art::Icon4File(icon.image, icon.transparent));
        // Drawn again at two and three times the size for displays of more
        // dots per inch, in 256 colours to keep the .scr small.
        for (int scale : {2, 3}) {
            const std::string suffix = "_" + std::to_string(scale) + "x.bmp";
            Write(dir + "/sprite_sheet" + suffix, art::Bitmap8File(art::QuantizeOnBlack(art::SpriteColours(scale), 256)));
            Write(dir + "/title_card" + suffix, art::Bitmap8File(art::Quantize(art::TitleScene(false, scale), 256)));
            Write(dir + "/preview_picture" + suffix, art::Bitmap8File(art::Quantize(art::TitleScene(true, scale), 256)));
        }
        if (argc - first == 2) WritePreviews(argv[first + 1], sheet, Unindex(title), preview, icon);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "pok_art: %s\n", e.what());
        return 1;
    }
    cairo_debug_reset_static_data();
    return 0;
}
