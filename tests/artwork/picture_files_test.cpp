// The committed picture files, read byte by byte the way the resource
// compiler and LoadImageA will read them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
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

// A committed file as the program reads it: the resource compiler drops the
// 14-byte file header.
Picture Decoded(const std::string& name) {
    const std::string b = ReadResource(name);
    return b.size() < 14 ? Picture() : DecodeBitmap(reinterpret_cast<const uint8_t*>(b.data()) + 14, b.size() - 14);
}

constexpr uint32_t Black = 0x000000, White = 0xFFFFFF;

// Colour difference of two pixels, the three channels' differences added.
int Difference(uint32_t a, uint32_t b) {
    int d = 0;
    for (int shift : {0, 8, 16}) d += std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF));
    return d;
}

// Each picture at one, two and three times its design size: the one-times
// sheet whole (colour and mask columns, right- and left-facing cells), the
// larger ones its right-facing colour column alone; 24 bits for the
// one-times sheet and preview, 8 with a full colour table for the rest.
TEST(PictureFiles, BitmapHeadersDescribeTheStatedFormat) {
    for (int k = 1; k <= EmbeddedScales; ++k)
        for (const auto& [name, kind] : {std::pair{"sprite_sheet", PictureKind::SpriteSheet},
                                         {"preview_picture", PictureKind::PreviewPicture},
                                         {"title_card", PictureKind::TitleCard}}) {
            const std::string file = name + (k > 1 ? "_" + std::to_string(k) + "x" : std::string()) + ".bmp";
            SCOPED_TRACE(file);
            const bool wholeSheet = kind == PictureKind::SpriteSheet && k == 1;
            const int32_t cells = kind == PictureKind::SpriteSheet ? (wholeSheet ? 6 : 3) : 1;
            const int32_t width = (wholeSheet ? 2 : 1) * k * DesignSize(kind).width;
            const int32_t height = cells * k * DesignSize(kind).height;
            const uint32_t bits = k == 1 && kind != PictureKind::TitleCard ? 24 : 8;
            const uint32_t palette = bits == 8 ? 256 : 0, stride = (uint32_t(width) * bits + 31) / 32 * 4;
            const std::string b = ReadResource(file);
            ASSERT_GE(b.size(), 54u) << "file missing or cut short";
            const uint32_t pixelsAt = 14 + 40 + 4 * palette;
            EXPECT_EQ(b.substr(0, 2), "BM");
            EXPECT_EQ(U32(b, 2), b.size()) << "file size field";
            EXPECT_EQ(U32(b, 10), pixelsAt) << "pixel offset";
            EXPECT_EQ(U32(b, 14), 40u) << "a plain BITMAPINFOHEADER";
            EXPECT_EQ(I32(b, 18), width);
            EXPECT_EQ(I32(b, 22), height) << "positive height: rows stored bottom-up";
            EXPECT_EQ(U16(b, 26), 1u) << "planes";
            EXPECT_EQ(U16(b, 28), bits);
            EXPECT_EQ(U32(b, 30), 0u) << "BI_RGB, uncompressed";
            EXPECT_EQ(U32(b, 34), stride * uint32_t(height)) << "image size";
            EXPECT_EQ(U32(b, 46), palette) << "colour table entries";
            EXPECT_EQ(b.size(), pixelsAt + stride * uint32_t(height)) << "rows of " << stride << " bytes";
        }
}

TEST(PictureFiles, IconIsOneSixteenColourHeadOf32By32OnATransparentGround) {
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

    // Transparent pixels must be black in the colour image, or the desktop
    // behind the icon shows through tinted.
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

constexpr int kCell = 128, kHalf = 150;

class SpriteSheet : public testing::Test {
protected:
    static void SetUpTestSuite() { sheet_ = Decoded("sprite_sheet.bmp"); }
    void SetUp() override { ASSERT_EQ(sheet_.pixels.size(), 300u * 768u); }
    static bool Dog(int x, int row) { return sheet_.at(kHalf + x, row) == Black; }
    static inline Picture sheet_;
};

// One walk over the colour and mask columns: the mask pure black and white;
// colour and mask silhouettes coinciding (inside, the colour is never black,
// which would look like a hole once ORed; outside it is always black, which
// would tint the background); no dog touching its cell's side, where it would
// be cut off with a straight edge; and the silhouette's rim the dark outline,
// so the hard mask edge meets the background with a dark line, never a light
// fringe.
TEST_F(SpriteSheet, MaskColourSidesAndRimAgreeEverywhere) {
    int notMask = 0, stray = 0, holes = 0, touching = 0, light = 0;
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < kHalf; ++x) {
            const bool dog = Dog(x, y);
            notMask += !dog && sheet_.at(kHalf + x, y) != White;
            stray += !dog && sheet_.at(x, y) != Black;
            holes += dog && sheet_.at(x, y) == Black;
            touching += dog && (x == 0 || x == kHalf - 1);
            const bool inner = x > 0 && x < kHalf - 1 && y > 0 && y < 767;
            const bool rim = inner && dog && !(Dog(x - 1, y) && Dog(x + 1, y) && Dog(x, y - 1) && Dog(x, y + 1));
            light += rim && Difference(sheet_.at(x, y), Black) > 3 * 120;
        }
    EXPECT_EQ(notMask, 0) << "mask pixels that are neither black nor white";
    EXPECT_EQ(stray, 0) << "colour pixels outside the silhouette";
    EXPECT_EQ(holes, 0) << "black colour pixels inside the silhouette";
    EXPECT_EQ(touching, 0) << "dog pixels on the side of a cell";
    EXPECT_EQ(light, 0) << "light pixels on the silhouette's rim";
}

TEST_F(SpriteSheet, LeftFacingCellsMirrorTheRightFacingOnes) {
    for (int pose = 0; pose < 3; ++pose) {
        int differ = 0;
        for (int y = 0; y < kCell; ++y)
            for (int x = 0; x < kHalf; ++x) {
                const int right = pose * kCell + y, left = (pose + 3) * kCell + y;
                differ += sheet_.at(x, right) != sheet_.at(kHalf - 1 - x, left);
                differ += sheet_.at(kHalf + x, right) != sheet_.at(2 * kHalf - 1 - x, left);
            }
        EXPECT_EQ(differ, 0) << "pose " << pose << " facing left is not the mirror image";
    }
}

// The hop heights the animation adds are measured against these rows; the
// feet rise from pose to pose and every cell keeps four blank rows at each end.
TEST_F(SpriteSheet, EachPosePaintsExactlyItsRows) {
    const struct { int top, bottom; } rows[] = {{9, 123}, {7, 119}, {4, 113}};
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

// Each cell is one dog: stray specks would flicker over the background.
TEST_F(SpriteSheet, EachCellIsOneConnectedSilhouette) {
    for (int cell = 0; cell < 6; ++cell) {
        std::vector<int> seen(size_t(kHalf * kCell), 0);
        int pieces = 0;
        for (int start = 0; start < kHalf * kCell; ++start) {
            if (seen[size_t(start)] || !Dog(start % kHalf, cell * kCell + start / kHalf)) continue;
            ++pieces;
            std::vector<std::pair<int, int>> stack{{start % kHalf, start / kHalf}};
            while (!stack.empty()) {
                const auto [x, y] = stack.back();
                stack.pop_back();
                if (x < 0 || x >= kHalf || y < 0 || y >= kCell) continue;
                if (seen[size_t(y * kHalf + x)] || !Dog(x, cell * kCell + y)) continue;
                seen[size_t(y * kHalf + x)] = 1;
                stack.insert(stack.end(), {{x - 1, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}});
            }
        }
        EXPECT_EQ(pieces, 1) << "cell " << cell;
    }
}

// Pixels that are not the ground on the side columns, the top rows and the
// bottom rows of a picture.
int OffGroundOnFrame(const Picture& p, uint32_t ground, int top, int bottom) {
    int off = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            off += (x == 0 || x == p.width - 1 || y < top || y >= p.height - bottom) && p.at(x, y) != ground;
    return off;
}

// The card is copied opaque: its ground must run to every edge, and the
// intro only ever shows rows 1 to 240, so row 0 and rows 241 to 247 hold
// nothing but ground. The preview stands on the same ground.
TEST(PictureFiles, TitleCardAndPreviewStandOnOneGroundThatReachesEveryEdge) {
    const Picture card = Decoded("title_card.bmp");
    ASSERT_EQ(card.pixels.size(), 300u * 248u);
    const uint32_t ground = card.at(0, 0);
    EXPECT_GE(std::min({ground >> 16 & 0xFF, ground >> 8 & 0xFF, ground & 0xFF}), 230u) << "ground should be off-white";
    EXPECT_NE(ground, White) << "ground should be off-white, not pure white";
    EXPECT_EQ(OffGroundOnFrame(card, ground, 1, 7), 0) << "drawing on the edges or in rows never shown";

    const Picture preview = Decoded("preview_picture.bmp");
    ASSERT_EQ(preview.pixels.size(), 152u * 112u);
    EXPECT_EQ(OffGroundOnFrame(preview, ground, 1, 1), 0) << "preview drawing on the edges";
    EXPECT_GT(std::set<uint32_t>(preview.pixels.begin(), preview.pixels.end()).size(), 64u)
        << "a drawing with smooth edges, not a flat fill";
}

// The larger drawings reduced to 96 dpi must be the 96-dpi pictures: the same
// dog in the same place and pose, the same scene, only with finer edges.
TEST(ScaledPictures, ReducedToTheDesignSizeTheyMatchTheOneTimesDrawings) {
    const Picture sheet = Decoded("sprite_sheet.bmp");
    ASSERT_EQ(sheet.width, 300);
    for (int scale : {2, 3}) {
        const std::string suffix = "_" + std::to_string(scale) + "x.bmp";
        SCOPED_TRACE(suffix);
        const Picture reduced = BuildSpriteSheet(Decoded("sprite_sheet" + suffix), {150, 128});
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
            const Picture one = Decoded(std::string(name) + ".bmp");
            const Picture big = Reduce(Decoded(name + suffix), {one.width, one.height});
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
