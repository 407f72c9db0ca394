// The committed picture files, read byte by byte the way the resource
// compiler and LoadImageA will read them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <array>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "resources/picture_scaling.h"

namespace {

std::string ReadResource(const std::string& name) {
    std::ifstream in(std::string(POK_RESOURCE_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

uint32_t U16(const std::string& b, size_t at) { return uint8_t(b.at(at)) | uint8_t(b.at(at + 1)) << 8; }
uint32_t U32(const std::string& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
int32_t I32(const std::string& b, size_t at) { return int32_t(U32(b, at)); }

struct Colour {
    uint8_t r, g, b;
    bool operator==(const Colour& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator<(const Colour& o) const { return std::tie(r, g, b) < std::tie(o.r, o.g, o.b); }
    bool black() const { return r == 0 && g == 0 && b == 0; }
    bool white() const { return r == 255 && g == 255 && b == 255; }
};

// A bottom-up .bmp of 8 or 24 bits, turned into rows from the top.
struct Picture {
    int width = 0, height = 0;
    std::vector<Colour> pixels;
    Colour at(int x, int y) const { return pixels.at(size_t(y) * size_t(width) + size_t(x)); }
};

Picture Decode(const std::string& file) {
    Picture p;
    p.width = I32(file, 18);
    p.height = I32(file, 22);
    const int bits = int(U16(file, 28));
    const size_t stride = (size_t(p.width) * size_t(bits) + 31) / 32 * 4;
    const size_t offset = U32(file, 10);
    for (int y = 0; y < p.height; ++y) {
        const size_t row = offset + size_t(p.height - 1 - y) * stride;
        for (int x = 0; x < p.width; ++x) {
            if (bits == 24) {
                const size_t at = row + size_t(x) * 3;
                p.pixels.push_back({uint8_t(file.at(at + 2)), uint8_t(file.at(at + 1)), uint8_t(file.at(at))});
            } else {
                const size_t entry = 54 + 4 * size_t(uint8_t(file.at(row + size_t(x))));
                p.pixels.push_back({uint8_t(file.at(entry + 2)), uint8_t(file.at(entry + 1)), uint8_t(file.at(entry))});
            }
        }
    }
    return p;
}

// ---- Headers --------------------------------------------------------------

struct BitmapFormat {
    const char* file;
    int width, height, bits;
    uint32_t paletteEntries, stride;
};
const BitmapFormat kBitmaps[] = {
    {"sprite_sheet.bmp", 300, 768, 24, 0, 900},
    {"preview_picture.bmp", 152, 112, 24, 0, 456},
    {"title_card.bmp", 300, 248, 8, 256, 300},
    // Drawn again at two and three times the size; the sheets are their
    // right-facing colour column alone.
    {"sprite_sheet_2x.bmp", 300, 768, 8, 256, 300},
    {"preview_picture_2x.bmp", 304, 224, 8, 256, 304},
    {"title_card_2x.bmp", 600, 496, 8, 256, 600},
    {"sprite_sheet_3x.bmp", 450, 1152, 8, 256, 452},
    {"preview_picture_3x.bmp", 456, 336, 8, 256, 456},
    {"title_card_3x.bmp", 900, 744, 8, 256, 900},
};

TEST(PictureFiles, BitmapHeadersDescribeTheStatedFormat) {
    for (const BitmapFormat& f : kBitmaps) {
        SCOPED_TRACE(f.file);
        const std::string b = ReadResource(f.file);
        ASSERT_GE(b.size(), 54u) << "file missing or cut short";
        const uint32_t pixelsAt = 14 + 40 + 4 * f.paletteEntries;
        EXPECT_EQ(b.substr(0, 2), "BM");
        EXPECT_EQ(U32(b, 2), b.size()) << "file size field";
        EXPECT_EQ(U32(b, 10), pixelsAt) << "pixel offset";
        EXPECT_EQ(U32(b, 14), 40u) << "a plain BITMAPINFOHEADER";
        EXPECT_EQ(I32(b, 18), f.width);
        EXPECT_EQ(I32(b, 22), f.height) << "positive height: rows stored bottom-up";
        EXPECT_EQ(U16(b, 26), 1u) << "planes";
        EXPECT_EQ(U16(b, 28), uint32_t(f.bits));
        EXPECT_EQ(U32(b, 30), 0u) << "BI_RGB, uncompressed";
        EXPECT_EQ(U32(b, 34), f.stride * uint32_t(f.height)) << "image size";
        EXPECT_EQ(U32(b, 46), f.paletteEntries) << "colour table entries";
        EXPECT_EQ(b.size(), pixelsAt + f.stride * uint32_t(f.height)) << "rows of " << f.stride << " bytes";
    }
}

TEST(PictureFiles, IconHoldsOneSixteenColourImageOf32By32) {
    const std::string b = ReadResource("pok_v3.ico");
    const uint32_t imageBytes = 40 + 16 * 4 + 32 * 16 + 32 * 4;  // header, palette, colour, AND mask
    ASSERT_EQ(b.size(), 6 + 16 + imageBytes);
    EXPECT_EQ(U16(b, 0), 0u);
    EXPECT_EQ(U16(b, 2), 1u) << "type icon";
    EXPECT_EQ(U16(b, 4), 1u) << "one image";
    EXPECT_EQ(uint8_t(b[6]), 32);
    EXPECT_EQ(uint8_t(b[7]), 32);
    EXPECT_EQ(uint8_t(b[8]), 16) << "colour count";
    EXPECT_EQ(U16(b, 12), 4u) << "bits per pixel in the directory";
    EXPECT_EQ(U32(b, 14), imageBytes);
    EXPECT_EQ(U32(b, 18), 22u);
    EXPECT_EQ(U32(b, 22), 40u);
    EXPECT_EQ(I32(b, 26), 32);
    EXPECT_EQ(I32(b, 30), 64) << "colour image and mask stacked";
    EXPECT_EQ(U16(b, 36), 4u);
    EXPECT_EQ(U32(b, 38), 0u);
}

// Transparent pixels must be black in the colour image, or the desktop
// behind the icon shows through tinted.
TEST(PictureFiles, IconIsAHeadOnATransparentGround) {
    const std::string b = ReadResource("pok_v3.ico");
    ASSERT_EQ(b.size(), 6u + 16 + 40 + 64 + 512 + 128);
    const size_t palette = 22 + 40, colour = palette + 64, mask = colour + 512;
    int opaque = 0;
    std::set<int> used;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const uint8_t pair = uint8_t(b[colour + size_t(y) * 16 + size_t(x / 2)]);
            const int index = x % 2 ? pair & 0x0F : pair >> 4;
            const bool transparent = uint8_t(b[mask + size_t(y) * 4 + size_t(x / 8)]) & (0x80 >> (x % 8));
            const size_t entry = palette + 4 * size_t(index);
            const bool black = !b[entry] && !b[entry + 1] && !b[entry + 2];
            if (transparent) {
                EXPECT_TRUE(black) << "transparent pixel (" << x << ", " << y << ") is not black";
            } else {
                ++opaque;
                used.insert(index);
            }
        }
    EXPECT_GT(opaque, 32 * 32 * 4 / 10) << "the head should fill most of the icon";
    EXPECT_LT(opaque, 32 * 32) << "the corners should let the desktop show";
    EXPECT_GE(used.size(), 8u) << "too few colours to read as a face";
}

// ---- The sprite sheet -----------------------------------------------------

constexpr int kCell = 128, kHalf = 150;

class SpriteSheet : public testing::Test {
protected:
    static void SetUpTestSuite() { sheet_ = Decode(ReadResource("sprite_sheet.bmp")); }
    static bool Dog(int x, int row) { return sheet_.at(kHalf + x, row).black(); }
    static Picture sheet_;
};
Picture SpriteSheet::sheet_;

TEST_F(SpriteSheet, MaskIsPureBlackAndWhite) {
    ASSERT_EQ(sheet_.pixels.size(), 300u * 768u);
    int bad = 0;
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < kHalf; ++x)
            if (!Dog(x, y) && !sheet_.at(kHalf + x, y).white()) ++bad;
    EXPECT_EQ(bad, 0) << "mask pixels that are neither black nor white";
}

// Colour and mask silhouettes coincide: inside, the colour column is never
// black (it would look like a hole once ORed); outside it is always black
// (it would tint the background).
TEST_F(SpriteSheet, ColourIsBlackExactlyOutsideTheMask) {
    ASSERT_EQ(sheet_.pixels.size(), 300u * 768u);
    int stray = 0, holes = 0;
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < kHalf; ++x) {
            if (!Dog(x, y) && !sheet_.at(x, y).black()) ++stray;
            if (Dog(x, y) && sheet_.at(x, y).black()) ++holes;
        }
    EXPECT_EQ(stray, 0) << "colour pixels outside the silhouette";
    EXPECT_EQ(holes, 0) << "black colour pixels inside the silhouette";
}

TEST_F(SpriteSheet, LeftFacingCellsMirrorTheRightFacingOnes) {
    ASSERT_EQ(sheet_.pixels.size(), 300u * 768u);
    for (int pose = 0; pose < 3; ++pose) {
        int differ = 0;
        for (int y = 0; y < kCell; ++y)
            for (int x = 0; x < kHalf; ++x) {
                const int right = pose * kCell + y, left = (pose + 3) * kCell + y;
                if (!(sheet_.at(x, right) == sheet_.at(kHalf - 1 - x, left))) ++differ;
                if (!(sheet_.at(kHalf + x, right) == sheet_.at(2 * kHalf - 1 - x, left))) ++differ;
            }
        EXPECT_EQ(differ, 0) << "pose " << pose << " facing left is not the mirror image";
    }
}

// The hop heights the animation adds are measured against these rows; the
// feet rise from pose to pose and every cell keeps four blank rows at each end.
TEST_F(SpriteSheet, EachPosePaintsExactlyItsRows) {
    ASSERT_EQ(sheet_.pixels.size(), 300u * 768u);
    const struct {
        int top, bottom;
    } rows[] = {{9, 123}, {7, 119}, {4, 113}};
    for (int cell = 0; cell < 6; ++cell) {
        int top = -1, bottom = -1;
        for (int y = 0; y < kCell; ++y)
            for (int x = 0; x < kHalf; ++x)
                if (Dog(x, cell * kCell + y)) {
                    if (top < 0) top = y;
                    bottom = y;
                }
        EXPECT_EQ(top, rows[cell % 3].top) << "cell " << cell;
        EXPECT_EQ(bottom, rows[cell % 3].bottom) << "cell " << cell;
        EXPECT_GE(top, 4) << "cell " << cell << " needs four blank rows at its top";
        EXPECT_LE(bottom, kCell - 5) << "cell " << cell << " needs four blank rows at its bottom";
    }
}

// A dog touching a cell's side would be cut off with a straight edge.
TEST_F(SpriteSheet, NoDogTouchesTheSideOfItsCell) {
    ASSERT_EQ(sheet_.pixels.size(), 300u * 768u);
    for (int y = 0; y < 768; ++y) {
        EXPECT_FALSE(Dog(0, y)) << "row " << y;
        EXPECT_FALSE(Dog(kHalf - 1, y)) << "row " << y;
    }
}

// Each cell is one dog: stray specks would flicker over the background.
TEST_F(SpriteSheet, EachCellIsOneConnectedSilhouette) {
    ASSERT_EQ(sheet_.pixels.size(), 300u * 768u);
    for (int cell = 0; cell < 6; ++cell) {
        std::vector<int> seen(size_t(kHalf * kCell), 0);
        int pieces = 0;
        for (int start = 0; start < kHalf * kCell; ++start) {
            if (seen[size_t(start)] || !Dog(start % kHalf, cell * kCell + start / kHalf)) continue;
            ++pieces;
            std::vector<int> stack{start};
            seen[size_t(start)] = 1;
            while (!stack.empty()) {
                const int at = stack.back();
                stack.pop_back();
                const int x = at % kHalf, y = at / kHalf;
                const int next[4][2] = {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
                for (const auto& n : next) {
                    if (n[0] < 0 || n[0] >= kHalf || n[1] < 0 || n[1] >= kCell) continue;
                    const size_t i = size_t(n[1] * kHalf + n[0]);
                    if (seen[i] || !Dog(n[0], cell * kCell + n[1])) continue;
                    seen[i] = 1;
                    stack.push_back(n[1] * kHalf + n[0]);
                }
            }
        }
        EXPECT_EQ(pieces, 1) << "cell " << cell;
    }
}

// The silhouette's rim is the dark outline, so the hard mask edge meets the
// background with a dark line and never with a light fringe.
TEST_F(SpriteSheet, SilhouetteRimIsDark) {
    ASSERT_EQ(sheet_.pixels.size(), 300u * 768u);
    int light = 0;
    for (int y = 1; y < 767; ++y)
        for (int x = 1; x < kHalf - 1; ++x) {
            if (!Dog(x, y)) continue;
            if (Dog(x - 1, y) && Dog(x + 1, y) && Dog(x, y - 1) && Dog(x, y + 1)) continue;
            const Colour c = sheet_.at(x, y);
            if (c.r + c.g + c.b > 3 * 120) ++light;
        }
    EXPECT_EQ(light, 0) << "light pixels on the silhouette's rim";
}

// ---- Title card and preview picture ----------------------------------------

// Pixels that are not the ground on the side columns, the top rows and the
// bottom rows of a picture.
int OffGroundOnFrame(const Picture& p, Colour ground, int top, int bottom) {
    int off = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const bool frame = x == 0 || x == p.width - 1 || y < top || y >= p.height - bottom;
            if (frame && !(p.at(x, y) == ground)) ++off;
        }
    return off;
}

// The card is copied opaque: its ground must run to every edge, and the
// intro only ever shows rows 1 to 240, so row 0 and rows 241 to 247 hold
// nothing but ground.
TEST(PictureFiles, TitleCardGroundReachesEveryEdgeAndFramesTheShownRows) {
    const Picture card = Decode(ReadResource("title_card.bmp"));
    ASSERT_EQ(card.pixels.size(), 300u * 248u);
    const Colour ground = card.at(0, 0);
    EXPECT_GE(std::min({ground.r, ground.g, ground.b}), 230) << "ground should be off-white";
    EXPECT_FALSE(ground.white()) << "ground should be off-white, not pure white";
    EXPECT_EQ(OffGroundOnFrame(card, ground, 1, 7), 0) << "drawing on the edges or in rows never shown";
}

TEST(PictureFiles, PreviewPictureSitsOnTheSameGround) {
    const Picture card = Decode(ReadResource("title_card.bmp"));
    const Picture preview = Decode(ReadResource("preview_picture.bmp"));
    ASSERT_EQ(preview.pixels.size(), 152u * 112u);
    ASSERT_FALSE(card.pixels.empty());
    EXPECT_EQ(OffGroundOnFrame(preview, card.at(0, 0), 1, 1), 0) << "drawing on the edges";
    std::set<Colour> colours(preview.pixels.begin(), preview.pixels.end());
    EXPECT_GT(colours.size(), 64u) << "a drawing with smooth edges, not a flat fill";
}

// ---- The drawings at two and three times the size ---------------------------

// A committed file as the program reads it: the resource compiler drops the
// 14-byte file header.
::Picture Decoded(const std::string& name) {
    const std::string b = ReadResource(name);
    return b.size() < 14 ? ::Picture() : DecodeBitmap(reinterpret_cast<const uint8_t*>(b.data()) + 14, b.size() - 14);
}

// Colour difference of two pixels, the three channels' differences added.
int Difference(uint32_t a, uint32_t b) {
    int d = 0;
    for (int shift : {0, 8, 16}) d += std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF));
    return d;
}

// The larger drawings reduced to 96 dpi must be the 96-dpi pictures: the same
// dog in the same place and pose, the same scene, only with finer edges.
TEST(ScaledPictures, ReducedToTheDesignSizeTheyMatchTheOneTimesDrawings) {
    const ::Picture sheet = Decoded("sprite_sheet.bmp");
    ASSERT_EQ(sheet.width, 300);
    for (int scale : {2, 3}) {
        const std::string suffix = "_" + std::to_string(scale) + "x.bmp";
        SCOPED_TRACE(suffix);
        const ::Picture reduced = BuildSpriteSheet(Decoded("sprite_sheet" + suffix), {150, 128});
        ASSERT_EQ(reduced.width, 300);
        ASSERT_EQ(reduced.height, 768);
        int dog = 0, moved = 0;
        for (int y = 0; y < 768; ++y)
            for (int x = 150; x < 300; ++x) {
                dog += sheet.at(x, y) == 0;
                moved += sheet.at(x, y) != reduced.at(x, y);
            }
        // Only pixels on the rim may fall the other way.
        EXPECT_LT(moved, dog / 50) << "mask pixels that differ from the one-times sheet's";

        for (const char* name : {"title_card", "preview_picture"}) {
            const ::Picture one = Decoded(std::string(name) + ".bmp");
            const ::Picture big = Reduce(Decoded(name + suffix), {one.width, one.height});
            ASSERT_EQ(big.pixels.size(), one.pixels.size()) << name;
            long total = 0;
            size_t far = 0;
            for (size_t i = 0; i < one.pixels.size(); ++i) {
                const int d = Difference(one.pixels[i], big.pixels[i]);
                total += d;
                far += d > 96;
            }
            EXPECT_LT(double(total) / double(one.pixels.size()), 2.0) << name << ": mean colour difference";
            EXPECT_LT(far, one.pixels.size() / 500) << name << ": pixels of another colour altogether";
        }
    }
}

}  // namespace
