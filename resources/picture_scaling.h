// The pictures at any display scale, without windows.h: which embedded size a
// picture is made from, reading a bitmap resource, and reducing it smoothly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/scale.h"

// Pixels as 0x00RRGGBB, row by row from the top.
struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    Picture() = default;
    Picture(int w, int h) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h)) {}
    bool empty() const { return pixels.empty(); }
    std::uint32_t& at(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

enum class PictureKind { SpriteSheet, PreviewPicture, TitleCard };

// Each picture is embedded at one, two and three times its design size.
constexpr int EmbeddedScales = 3;

struct PictureSize {
    int width, height;
    bool operator==(const PictureSize& o) const { return width == o.width && height == o.height; }
};

// The design size: of one sprite cell, of the preview picture, of the title card.
PictureSize DesignSize(PictureKind kind);

// The size at a display scale (a sprite cell's for the sheet).
PictureSize SizeAt(PictureKind kind, const Scale& scale);

// The embedded scale a picture of this size is made from: the smallest that
// is at least as large, so it is only ever reduced, or the largest. The
// sprite sheet's one-times file is a whole sheet, used only as it is.
int SourceScale(PictureKind kind, PictureSize wanted);

// A bitmap resource as the resource compiler stores it (its info header,
// colour table and rows): 8 bits with a colour table or 24 bits,
// uncompressed, either row order. Empty for anything else or anything cut short.
Picture DecodeBitmap(const std::uint8_t* bytes, std::size_t size);

// Every target pixel the average of the source area it covers.
Picture Reduce(const Picture& source, PictureSize to);

// The same for a dog on black: a target pixel belongs to the dog when the dog
// covers at least half of its area, and takes the average of the dog's
// pixels there alone, so no edge darkens towards the black around it.
Picture ReduceOnBlack(const Picture& source, PictureSize to);

// The sprite sheet from its right-facing colour cells (three poses stacked,
// dog on black): the colour column beside the mask column (black where the
// dog is, white elsewhere), then the three cells mirrored to face left.
Picture BuildSpriteSheet(const Picture& rightColours, PictureSize cell);
