// Lettering drawn as strokes, so the pictures never depend on installed fonts.
#pragma once

#include <cairo.h>

#include "image_files.h"

namespace art {

// The credit line in capitals, its top-left corner at (x, y), capitals cap
// pixels tall. Returns the width it took.
double DrawCredit(cairo_t* cr, double x, double y, double cap, Rgb colour);

// The decorative character: the kanji for "dog" cut into a round red seal,
// centred on (cx, cy), size pixels across.
void DrawSeal(cairo_t* cr, double cx, double cy, double size);

}  // namespace art
