// The dog, drawn as vector shapes so one drawing serves the sprite cells,
// the title card, the preview picture and the icon.
#pragma once

#include <cairo.h>

#include "image_files.h"

namespace art {

// The three hop poses of the sprite sheet, in hop order.
enum class Pose { Ground = 0, Rising = 1, Top = 2 };

// Colours shared with the other pictures.
namespace palette {
constexpr Rgb kOutline{62, 38, 28};
constexpr Rgb kFur{238, 166, 86};
constexpr Rgb kFurShade{214, 138, 66};
constexpr Rgb kCream{255, 246, 228};
constexpr Rgb kEar{168, 96, 52};
constexpr Rgb kNose{52, 34, 30};
constexpr Rgb kCollar{222, 54, 72};
constexpr Rgb kTag{255, 208, 64};
constexpr Rgb kBlush{255, 128, 150};
constexpr Rgb kTongue{246, 112, 132};
constexpr Rgb kMouth{150, 44, 58};
constexpr Rgb kShine{255, 255, 255};
}  // namespace palette

// Draws the whole dog facing right in sprite-cell coordinates (150 x 128,
// feet near row 123 when standing). reach lengthens the lower legs by that many
// pixels: the sprite sheet uses it to land each pose on its exact rows.
void DrawDog(cairo_t* cr, Pose pose, double reach = 0.0);

// The same dog's face seen from the front, drawn for 32 x 32 pixels: the
// side view's muzzle and single ear do not read at icon size.
void DrawDogFace(cairo_t* cr);

}  // namespace art
