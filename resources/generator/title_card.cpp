#include <cmath>

#include "canvas.h"
#include "dog.h"
#include "lettering.h"
#include "pictures.h"

namespace art {
namespace {

constexpr Rgb kGround{255, 250, 240};
constexpr Rgb kPink{255, 184, 204};
constexpr Rgb kPinkLight{255, 214, 226};
constexpr Rgb kPinkShadow{240, 150, 178};
constexpr Rgb kCreditInk{150, 84, 96};

// The pink shape and the dog, centred on the origin, title-card size.
void DrawEmblem(cairo_t* cr) {
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 96, 0, 2 * M_PI);
    SetColour(cr, kPink);
    cairo_fill(cr);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 86, 0, 2 * M_PI);
    cairo_set_line_width(cr, 3);
    SetColour(cr, kPinkLight);
    cairo_stroke(cr);

    // A shadow on the ground below says the dog is in the air.
    cairo_new_path(cr);
    EllipsePath(cr, -2, 76, 56, 7);
    SetColour(cr, kPinkShadow);
    cairo_fill(cr);

    cairo_save(cr);
    cairo_scale(cr, 1.4, 1.4);
    cairo_translate(cr, -84, -64);
    DrawDog(cr, Pose::Rising);
    cairo_restore(cr);
}

}  // namespace

RgbImage TitleScene(bool forPreview, int scale) {
    const int width = forPreview ? 152 : 300;
    const int height = forPreview ? 112 : 248;
    Canvas canvas(width * scale, height * scale);
    cairo_t* cr = canvas.cr();
    if (scale != 1) cairo_scale(cr, scale, scale);
    SetColour(cr, kGround);
    cairo_paint(cr);

    cairo_save(cr);
    if (forPreview) {
        cairo_translate(cr, 74, 56);
        cairo_scale(cr, 0.54, 0.54);
    } else {
        // The intro shows rows 1 to 240 only; centre on those.
        cairo_translate(cr, 150, 121);
    }
    DrawEmblem(cr);
    cairo_restore(cr);

    if (forPreview) {
        DrawSeal(cr, 137, 97, 22);
    } else {
        DrawCredit(cr, 10, 9, 9, kCreditInk);
        DrawSeal(cr, 268, 208, 36);
    }
    return canvas.ReadOpaque();
}

}  // namespace art
