#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "canvas.h"
#include "dog.h"
#include "pictures.h"

namespace art {
namespace {

// The dog is drawn on a taller canvas than a cell so that nothing is cut off
// while its rows are fitted; it is moved into the cell by whole rows.
constexpr int kSlack = 40;
constexpr int kCanvasHeight = kCellHeight + 2 * kSlack;

// Pixels at least half covered belong to the dog. Using one threshold for
// both columns makes mask and colour agree pixel for pixel.
constexpr double kInside = 0.5;

struct Drawn {
    std::vector<Rgba> pixels;
    int top = -1, bottom = -1;  // painted rows on the canvas
};

// At scale k the same vector drawing on a canvas k times as large.
Drawn DrawPose(Pose pose, double reach, int scale = 1) {
    const int width = kCellWidth * scale, height = kCanvasHeight * scale;
    Canvas canvas(width, height);
    if (scale != 1) cairo_scale(canvas.cr(), scale, scale);
    cairo_translate(canvas.cr(), 0, kSlack);
    DrawDog(canvas.cr(), pose, reach);
    Drawn d;
    d.pixels = canvas.Read();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (d.pixels[size_t(y * width + x)].a >= kInside) {
                if (d.top < 0) d.top = y;
                d.bottom = y;
            }
    return d;
}

struct Fitted {
    Drawn drawn;
    double reach;
};

// The legs are lengthened or shortened by a fraction of a pixel until the
// pose spans exactly its number of rows; the smallest change wins.
Fitted FitPose(Pose pose, bool sketch) {
    const RowSpan want = kPaintedRows[int(pose)];
    const int height = want.bottom - want.top + 1;
    for (int step = 0; step <= 300 && !sketch; ++step) {
        for (int sign : {1, -1}) {
            const double reach = sign * step * 0.02;
            Drawn d = DrawPose(pose, reach);
            if (d.bottom - d.top + 1 == height) return {d, reach};
        }
    }
    const Drawn d = DrawPose(pose, 0);
    const std::string drawn = "pose " + std::to_string(int(pose)) + " spans rows " +
                              std::to_string(d.top - kSlack) + " to " + std::to_string(d.bottom - kSlack);
    if (!sketch) throw std::runtime_error(drawn + " and cannot be fitted to its rows");
    std::fprintf(stderr, "%s\n", drawn.c_str());
    return {d, 0};
}

// Inside pixels blend into the outline colour, never into black, so they
// stay clean on any background; outside is pure black.
Rgb CellColour(const Rgba& p, bool inside) {
    if (!inside) return {0, 0, 0};
    const Rgb o = palette::kOutline;
    const Rgb colour = {uint8_t(std::lround(255 * p.r + (1 - p.a) * o.r)),
                        uint8_t(std::lround(255 * p.g + (1 - p.a) * o.g)),
                        uint8_t(std::lround(255 * p.b + (1 - p.a) * o.b))};
    if (colour == Rgb{}) throw std::runtime_error("pure black inside the dog");
    return colour;
}

// The three right-facing poses, dog on black, at scale times the size. The
// legs are fitted at one times, so every scale draws the same dog, moved
// into its cell by the same rows times the scale.
RgbImage ColourColumn(int scale, bool sketch) {
    const int width = kCellWidth * scale, cell = kCellHeight * scale;
    const int canvasHeight = kCanvasHeight * scale;
    RgbImage colours(width, 3 * cell);
    for (int pose = 0; pose < 3; ++pose) {
        const Fitted fitted = FitPose(Pose(pose), sketch);
        const Drawn d = scale == 1 ? fitted.drawn : DrawPose(Pose(pose), fitted.reach, scale);
        const int shift = (kPaintedRows[pose].top - fitted.drawn.top) * scale;
        for (int y = 0; y < cell; ++y) {
            const int from = y - shift;
            for (int x = 0; x < width; ++x) {
                Rgba p{};
                if (from >= 0 && from < canvasHeight) p = d.pixels[size_t(from * width + x)];
                const bool inside = p.a >= kInside;
                if (inside && (x == 0 || x == width - 1) && !sketch)
                    throw std::runtime_error("dog touches the cell's side");
                colours.at(x, pose * cell + y) = CellColour(p, inside);
            }
        }
    }
    return colours;
}

}  // namespace

RgbImage SpriteSheet(bool sketch) {
    constexpr Rgb kBlack{0, 0, 0}, kWhite{255, 255, 255};
    const RgbImage colours = ColourColumn(1, sketch);
    RgbImage sheet(2 * kCellWidth, 6 * kCellHeight, kBlack);
    // The mask is black exactly where the colour is not: no dog pixel is black.
    for (int y = 0; y < 3 * kCellHeight; ++y)
        for (int x = 0; x < kCellWidth; ++x) {
            const Rgb colour = colours.at(x, y);
            const Rgb mask = colour == kBlack ? kWhite : kBlack;
            sheet.at(x, y) = colour;
            sheet.at(kCellWidth + x, y) = mask;
            sheet.at(kCellWidth - 1 - x, 3 * kCellHeight + y) = colour;
            sheet.at(2 * kCellWidth - 1 - x, 3 * kCellHeight + y) = mask;
        }
    return sheet;
}

RgbImage SpriteColours(int scale) { return ColourColumn(scale, false); }

}  // namespace art
