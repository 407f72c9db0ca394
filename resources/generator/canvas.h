// A cairo drawing surface and the few shape helpers every picture uses.
#pragma once

#include <cairo.h>

#include <vector>

#include "image_files.h"

namespace art {

// Premultiplied colour with coverage, as cairo leaves it.
struct Rgba {
    double r = 0, g = 0, b = 0, a = 0;
};

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    int width() const { return width_; }
    int height() const { return height_; }
    std::vector<Rgba> Read() const;     // row by row from the top
    RgbImage ReadOpaque() const;        // for pictures painted on a full ground
    void WritePng(const char* path) const;

private:
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);
void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double degrees = 0);
double Radians(double degrees);

}  // namespace art
