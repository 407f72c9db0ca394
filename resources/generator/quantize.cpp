#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <stdexcept>

#include "pictures.h"

namespace art {
namespace {

struct Weighted {
    Rgb colour;
    uint64_t count;
};

uint8_t Channel(const Rgb& c, int axis) { return axis == 0 ? c.r : axis == 1 ? c.g : c.b; }

struct Box {
    std::vector<Weighted> colours;

    uint64_t Count() const {
        uint64_t n = 0;
        for (const Weighted& w : colours) n += w.count;
        return n;
    }
    double Mean(int axis) const {
        double sum = 0;
        for (const Weighted& w : colours) sum += double(Channel(w.colour, axis)) * double(w.count);
        return sum / double(Count());
    }
    double Error(int axis) const {
        const double mean = Mean(axis);
        double sum = 0;
        for (const Weighted& w : colours) {
            const double d = Channel(w.colour, axis) - mean;
            sum += d * d * double(w.count);
        }
        return sum;
    }
    double Error() const { return Error(0) + Error(1) + Error(2); }
    Rgb Average() const {
        return {uint8_t(std::lround(Mean(0))), uint8_t(std::lround(Mean(1))), uint8_t(std::lround(Mean(2)))};
    }
};

// Median cut: keep splitting the box with the largest squared error, across
// its widest channel at the weighted median.
std::vector<Rgb> MedianCut(std::vector<Weighted> colours, size_t wanted) {
    std::vector<Box> boxes;
    if (!colours.empty()) boxes.push_back({std::move(colours)});
    while (!boxes.empty() && boxes.size() < wanted) {
        auto worst = std::max_element(boxes.begin(), boxes.end(),
                                      [](const Box& a, const Box& b) { return a.Error() < b.Error(); });
        if (worst->colours.size() < 2) break;
        int axis = 0;
        for (int a = 1; a < 3; ++a)
            if (worst->Error(a) > worst->Error(axis)) axis = a;
        std::vector<Weighted> all = std::move(worst->colours);
        std::stable_sort(all.begin(), all.end(), [axis](const Weighted& a, const Weighted& b) {
            return Channel(a.colour, axis) < Channel(b.colour, axis);
        });
        const uint64_t half = Box{all}.Count() / 2;
        size_t split = 0;
        for (uint64_t seen = 0; split + 1 < all.size() && seen + all[split].count <= half; ++split)
            seen += all[split].count;
        split = std::max<size_t>(split, 1);
        worst->colours.assign(all.begin(), all.begin() + long(split));
        boxes.push_back({std::vector<Weighted>(all.begin() + long(split), all.end())});
    }
    std::vector<Rgb> palette;
    for (const Box& box : boxes) palette.push_back(box.Average());
    return palette;
}

int Distance(const Rgb& a, const Rgb& b) {
    const int dr = a.r - b.r, dg = a.g - b.g, db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

}  // namespace

IndexedImage Quantize(const RgbImage& image, size_t colours) {
    std::map<uint32_t, uint64_t> histogram;
    for (const Rgb& c : image.pixels) ++histogram[uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b];

    std::vector<Weighted> all;
    for (const auto& [key, count] : histogram)
        all.push_back({{uint8_t(key >> 16), uint8_t(key >> 8), uint8_t(key)}, count});
    std::stable_sort(all.begin(), all.end(), [](const Weighted& a, const Weighted& b) { return a.count > b.count; });

    // Colours that cover an area (grounds, fills, lettering) keep their exact
    // value; a quarter of the palette is enough for them.
    const uint64_t areaPixels = std::max<uint64_t>(8, image.pixels.size() / 1000);
    std::vector<Rgb> palette;
    std::vector<Weighted> rest;
    for (const Weighted& w : all) {
        if (w.count >= areaPixels && palette.size() < colours / 4)
            palette.push_back(w.colour);
        else
            rest.push_back(w);
    }
    for (const Rgb& c : MedianCut(rest, colours - palette.size())) palette.push_back(c);
    if (palette.size() > colours) throw std::logic_error("palette overflow");

    IndexedImage out;
    out.width = image.width;
    out.height = image.height;
    out.palette = palette;
    std::map<uint32_t, uint8_t> nearest;
    for (const Rgb& c : image.pixels) {
        const uint32_t key = uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b;
        auto found = nearest.find(key);
        if (found == nearest.end()) {
            size_t best = 0;
            for (size_t i = 1; i < palette.size(); ++i)
                if (Distance(c, palette[i]) < Distance(c, palette[best])) best = i;
            found = nearest.emplace(key, uint8_t(best)).first;
        }
        out.indices.push_back(found->second);
    }
    return out;
}

IndexedImage QuantizeOnBlack(const RgbImage& image, size_t colours) {
    RgbImage inside(0, 1);
    for (const Rgb& c : image.pixels)
        if (c != Rgb{}) inside.pixels.push_back(c);
    inside.width = int(inside.pixels.size());
    const IndexedImage quantized = Quantize(inside, colours - 1);

    // Index 0 is the black ground alone; the dog's colours, none of them
    // black, follow it, so the mask can be read from the colours.
    IndexedImage out;
    out.width = image.width;
    out.height = image.height;
    out.palette.push_back({0, 0, 0});
    for (const Rgb& c : quantized.palette) {
        if (c == Rgb{}) throw std::logic_error("black among the dog's colours");
        out.palette.push_back(c);
    }
    size_t next = 0;
    for (const Rgb& c : image.pixels)
        out.indices.push_back(c == Rgb{} ? 0 : uint8_t(1 + quantized.indices[next++]));
    return out;
}

}  // namespace art
