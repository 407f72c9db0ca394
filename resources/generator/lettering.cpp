#include "lettering.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "canvas.h"

namespace art {
namespace {

// Glyphs on a grid 4 units wide and 6 tall, y down; each is a few strokes.
// The bowls of B, P and R are half circles of radius 1.5.
void Glyph(cairo_t* cr, char c) {
    auto line = [cr](std::initializer_list<double> xy) {
        const double* p = xy.begin();
        cairo_move_to(cr, p[0], p[1]);
        for (size_t i = 2; i + 1 < xy.size(); i += 2) cairo_line_to(cr, p[i], p[i + 1]);
    };
    auto bowl = [cr](double left, double top, double right) {
        // from (left, top) across, round the half circle, back to the stem
        cairo_move_to(cr, left, top);
        cairo_line_to(cr, right - 1.5, top);
        cairo_arc(cr, right - 1.5, top + 1.5, 1.5, -M_PI / 2, M_PI / 2);
        cairo_line_to(cr, left, top + 3);
    };
    switch (c) {
    case 'A': line({0, 6, 2, 0, 4, 6}); line({0.75, 4, 3.25, 4}); break;
    case 'B': line({0, 0, 0, 6}); bowl(0, 0, 3.7); bowl(0, 3, 4); break;
    case 'E': line({3.6, 0, 0, 0, 0, 6, 3.6, 6}); line({0, 3, 3, 3}); break;
    case 'K': line({0, 0, 0, 6}); line({3.8, 0, 0, 3.9}); line({1.4, 2.6, 4, 6}); break;
    case 'M': line({0, 6, 0, 0, 2, 4, 4, 0, 4, 6}); break;
    case 'O':
        cairo_save(cr);
        cairo_translate(cr, 2, 3);
        cairo_scale(cr, 2, 3);
        cairo_new_sub_path(cr);
        cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
        cairo_close_path(cr);
        cairo_restore(cr);
        break;
    case 'P': line({0, 6, 0, 0}); bowl(0, 0, 3.8); break;
    case 'R': line({0, 6, 0, 0}); bowl(0, 0, 3.8); line({2, 3, 4, 6}); break;
    case 'T': line({0, 0, 4, 0}); line({2, 0, 2, 6}); break;
    case 'Y': line({0, 0, 2, 3, 4, 0}); line({2, 3, 2, 6}); break;
    case ' ': break;
    default: throw std::invalid_argument(std::string("no glyph for ") + c);
    }
}

}  // namespace

double DrawCredit(cairo_t* cr, double x, double y, double cap, Rgb colour) {
    static const char kText[] = "ART BY POK TEAM";
    const double unit = cap / 6;
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, unit, unit);
    cairo_new_path(cr);
    double pen = 0;
    for (const char* c = kText; *c; ++c) {
        cairo_save(cr);
        cairo_translate(cr, pen, 0);
        Glyph(cr, *c);
        cairo_restore(cr);
        pen += *c == ' ' ? 3.5 : *c == 'M' ? 6.2 : 5.6;
    }
    cairo_set_line_width(cr, 1.05);
    SetColour(cr, colour);
    cairo_stroke(cr);
    cairo_restore(cr);
    return (pen - 1.6) * unit;
}

void DrawSeal(cairo_t* cr, double cx, double cy, double size) {
    constexpr Rgb kSealRed{214, 48, 58};
    constexpr Rgb kPaper{255, 250, 240};
    cairo_save(cr);
    cairo_translate(cr, cx - size / 2, cy - size / 2);
    cairo_scale(cr, size, size);
    cairo_new_path(cr);
    // A rounded square, slightly turned, as a hand-pressed seal sits.
    cairo_translate(cr, 0.5, 0.5);
    cairo_rotate(cr, Radians(-6));
    cairo_translate(cr, -0.5, -0.5);
    const double r = 0.18;
    cairo_new_sub_path(cr);
    cairo_arc(cr, 1 - r, r, r, -M_PI / 2, 0);
    cairo_arc(cr, 1 - r, 1 - r, r, 0, M_PI / 2);
    cairo_arc(cr, r, 1 - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, r, r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
    SetColour(cr, kSealRed);
    cairo_fill(cr);

    // The four strokes of the character, in writing order.
    SetColour(cr, kPaper);
    cairo_set_line_width(cr, 0.1);
    cairo_move_to(cr, 0.2, 0.42);
    cairo_line_to(cr, 0.8, 0.4);
    cairo_stroke(cr);
    cairo_move_to(cr, 0.5, 0.14);
    cairo_curve_to(cr, 0.5, 0.5, 0.38, 0.74, 0.16, 0.86);
    cairo_stroke(cr);
    cairo_move_to(cr, 0.52, 0.5);
    cairo_curve_to(cr, 0.6, 0.68, 0.72, 0.8, 0.86, 0.86);
    cairo_stroke(cr);
    cairo_move_to(cr, 0.68, 0.16);
    cairo_line_to(cr, 0.75, 0.25);
    cairo_stroke(cr);
    cairo_restore(cr);
}

}  // namespace art
