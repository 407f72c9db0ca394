// The four pictures of the product, drawn and converted to their file formats.
#pragma once

#include <vector>

#include "image_files.h"

namespace art {

constexpr int kCellWidth = 150;
constexpr int kCellHeight = 128;

// First and last painted row inside a cell, per pose. The animation's hop
// heights are measured against these, so they are fixed.
struct RowSpan {
    int top, bottom;
};
constexpr RowSpan kPaintedRows[3] = {{9, 123}, {7, 119}, {4, 113}};

// Colour column and mask column side by side, six cells down: three poses
// facing right, then their mirror images facing left. A sketch skips fitting
// the poses to their rows and reports where they fall instead, for work on
// the drawing.
RgbImage SpriteSheet(bool sketch = false);

// The right-facing colour column alone, drawn at scale times the size: the
// program derives the mask and the left-facing cells from it.
RgbImage SpriteColours(int scale);

// The card the intro reveals, and the same drawing without the credit at
// preview size, at scale times the size. Both opaque.
RgbImage TitleScene(bool forPreview, int scale = 1);

struct IconImage {
    IndexedImage image;
    std::vector<bool> transparent;
};
IconImage Icon();

// Turns a picture into 8-bit palette form: the flat colours keep their exact
// values, the blended edges share what is left of the palette.
IndexedImage Quantize(const RgbImage& image, size_t colours);

// The same for a dog on black: black stays index 0 and exact, the dog's
// colours share the rest.
IndexedImage QuantizeOnBlack(const RgbImage& image, size_t colours);

}  // namespace art
