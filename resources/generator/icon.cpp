#include <cmath>
#include <map>

#include "canvas.h"
#include "dog.h"
#include "pictures.h"

namespace art {

IconImage Icon() {
    constexpr int kSize = 32;
    Canvas canvas(kSize, kSize);
    cairo_t* cr = canvas.cr();
    DrawDogFace(cr);
    const std::vector<Rgba> drawn = canvas.Read();

    // Like the sprite cells: half-covered pixels are opaque and blend into
    // the outline; the rest is transparent.
    RgbImage opaque(kSize, kSize);
    std::vector<bool> transparent(drawn.size());
    std::vector<Rgb> inside;
    for (size_t i = 0; i < drawn.size(); ++i) {
        const Rgba& p = drawn[i];
        transparent[i] = p.a < 0.5;
        if (transparent[i]) continue;
        const Rgb o = palette::kOutline;
        const Rgb c{uint8_t(std::lround(255 * p.r + (1 - p.a) * o.r)),
                    uint8_t(std::lround(255 * p.g + (1 - p.a) * o.g)),
                    uint8_t(std::lround(255 * p.b + (1 - p.a) * o.b))};
        opaque.pixels[i] = c;
        inside.push_back(c);
    }

    // Index 0 is black for the transparent pixels (the AND mask shows the
    // desktop there and black leaves it unchanged); 15 colours for the head.
    RgbImage headOnly(int(inside.size()), 1);
    headOnly.pixels = inside;
    const IndexedImage head = Quantize(headOnly, 15);

    IconImage icon;
    icon.image.width = kSize;
    icon.image.height = kSize;
    icon.image.palette.push_back({0, 0, 0});
    for (const Rgb& c : head.palette) icon.image.palette.push_back(c);
    icon.transparent = transparent;
    size_t next = 0;
    for (size_t i = 0; i < drawn.size(); ++i)
        icon.image.indices.push_back(transparent[i] ? 0 : uint8_t(1 + head.indices[next++]));
    return icon;
}

}  // namespace art
