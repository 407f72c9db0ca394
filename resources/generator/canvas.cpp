#include "canvas.h"

#include <cmath>
#include <cstdint>

namespace art {

Canvas::Canvas(int width, int height)
    : width_(width), height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_GOOD);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

std::vector<Rgba> Canvas::Read() const {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    std::vector<Rgba> out;
    out.reserve(size_t(width_) * size_t(height_));
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < width_; ++x) {
            const uint32_t p = row[x];
            out.push_back({((p >> 16) & 0xFF) / 255.0, ((p >> 8) & 0xFF) / 255.0, (p & 0xFF) / 255.0,
                           (p >> 24) / 255.0});
        }
    }
    return out;
}

RgbImage Canvas::ReadOpaque() const {
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    RgbImage out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < width_; ++x)
            out.at(x, y) = {uint8_t(row[x] >> 16), uint8_t(row[x] >> 8), uint8_t(row[x])};
    }
    return out;
}

void Canvas::WritePng(const char* path) const {
    cairo_surface_flush(surface_);
    cairo_surface_write_to_png(surface_, path);
}

void SetColour(cairo_t* cr, Rgb c, double alpha) {
    cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

void EllipsePath(cairo_t* cr, double cx, double cy, double rx, double ry, double degrees) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_rotate(cr, Radians(degrees));
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
}

double Radians(double degrees) { return degrees * M_PI / 180.0; }

}  // namespace art
