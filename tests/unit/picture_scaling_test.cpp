#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "resources/picture_scaling.h"

namespace {

constexpr std::uint32_t Black = 0x000000, White = 0xFFFFFF;

Picture Make(int width, int height, std::vector<std::uint32_t> pixels) {
    Picture p(width, height);
    p.pixels = std::move(pixels);
    return p;
}

TEST(PictureSource, TheSmallestDrawingAtLeastAsLargeElseTheLargest) {
    const struct { PictureKind kind; PictureSize wanted; int from; } cases[] = {
        {PictureKind::PreviewPicture, {152, 112}, 1},
        {PictureKind::PreviewPicture, {306, 226}, 3},  // the settings window's inside at 192 dpi
        {PictureKind::PreviewPicture, {304, 224}, 2},
        {PictureKind::PreviewPicture, {100, 80}, 1},
        {PictureKind::TitleCard, {375, 310}, 2},
        {PictureKind::TitleCard, {1200, 992}, 3},      // past the largest: enlarged from it
        {PictureKind::SpriteSheet, {150, 128}, 1},
        {PictureKind::SpriteSheet, {188, 160}, 2},
        // The one-times sheet is a whole sheet, not a colour column to reduce.
        {PictureKind::SpriteSheet, {100, 80}, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SourceScale(c.kind, c.wanted), c.from) << int(c.kind) << ": " << c.wanted.width << " x " << c.wanted.height;
    EXPECT_EQ(SizeAt(PictureKind::SpriteSheet, Scale{120}), (PictureSize{188, 160})) << "187.5 goes to the even side";
}

// An info header as the resource compiler keeps it: size, width, height,
// planes and bits, compression, three fields of no matter, colours used, one more.
std::string Header(int width, int height, int bits, std::uint32_t compression = 0, std::uint32_t colours = 0) {
    std::string b;
    for (std::uint32_t v : {40u, std::uint32_t(width), std::uint32_t(height), 1u | std::uint32_t(bits) << 16,
                            compression, 0u, 0u, 0u, colours, 0u})
        for (int i = 0; i < 4; ++i) b += char(v >> (8 * i) & 0xFF);
    return b;
}

Picture Decode(const std::string& b) { return DecodeBitmap(reinterpret_cast<const std::uint8_t*>(b.data()), b.size()); }

TEST(DecodeBitmap, EightBitsThroughTheColourTableAndTwentyFourInEitherRowOrder) {
    // Blue, green, red, unused; then the bottom row first, each padded to four bytes.
    std::string eight = Header(3, 2, 8, 0, 2) + std::string("\x30\x20\x10\x00\x03\x02\x01\x00", 8) +
                        std::string("\x01\x00\x01\x00\x00\x00\x01\x00", 8);
    const Picture p = Decode(eight);
    ASSERT_EQ(p.width, 3);
    EXPECT_EQ(p.pixels, (std::vector<std::uint32_t>{0x102030, 0x102030, 0x010203, 0x010203, 0x102030, 0x010203}));
    // A negative height: the top row first.
    const std::string top = Header(1, -2, 24) + std::string("\x03\x02\x01\x00\x06\x05\x04\x00", 8);
    EXPECT_EQ(Decode(top).pixels, (std::vector<std::uint32_t>{0x010203, 0x040506}));
    // An index past a short colour table reads as black.
    const std::string past = Header(2, 1, 8, 0, 1) + std::string("\xFF\xFF\xFF\x00\x00\x07\x00\x00", 8);
    EXPECT_EQ(Decode(past).pixels, (std::vector<std::uint32_t>{White, Black}));
}

TEST(DecodeBitmap, AnythingElseOrCutShortIsNoPicture) {
    std::string whole = Header(2, 2, 24) + std::string(16, '\0');
    const struct { std::string bytes; const char* what; } cases[] = {
        {whole.substr(0, whole.size() - 1), "one byte short"},
        {whole.substr(0, 39), "header cut short"},
        {Header(2, 2, 24, 1) + std::string(16, '\0'), "compressed"},
        {Header(2, 2, 16) + std::string(16, '\0'), "16 bits"},
        {Header(0, 2, 24), "no width"},
        {Header(2, 0, 24), "no height"},
        {Header(-2, 2, 24) + std::string(16, '\0'), "negative width"},
        {Header(100000, 1, 8) + std::string(1024 + 100000, '\0'), "wider than any picture"},
        {Header(2, 2, 8) + std::string(8, '\0'), "no room for the colour table"},
    };
    for (const auto& c : cases) EXPECT_TRUE(Decode(c.bytes).empty()) << c.what;
    EXPECT_TRUE(DecodeBitmap(nullptr, 100).empty());
    EXPECT_FALSE(Decode(whole).empty());
}

TEST(Reduce, EachPixelIsTheAverageOfTheAreaItCovers) {
    // Three greys into two: the middle one is shared half and half.
    EXPECT_EQ(Reduce(Make(3, 1, {0x000000, 0x5A5A5A, 0xB4B4B4}), {2, 1}).pixels,
              (std::vector<std::uint32_t>{0x1E1E1E, 0x969696}));
    // Each channel on its own, in both directions.
    EXPECT_EQ(Reduce(Make(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0x000000}), {1, 1}).pixels,
              (std::vector<std::uint32_t>{0x404040}));  // 63.75 each
    const Picture same = Make(2, 1, {0x123456, 0x654321});
    EXPECT_EQ(Reduce(same, {2, 1}).pixels, same.pixels);
}

TEST(ReduceOnBlack, HalfTheAreaMakesADogPixelOfTheDogsColoursAlone) {
    constexpr std::uint32_t Fur = 0xEEA656, Outline = 0x3E261C;
    const struct { std::vector<std::uint32_t> quad; std::uint32_t pixel; const char* what; } cases[] = {
        {{Fur, Black, Black, Black}, Black, "a quarter: outside"},
        {{Fur, Fur, Black, Black}, Fur, "a half: inside, not darkened by the black beside it"},
        {{Fur, Outline, Outline, Black}, 0x79512F, "three quarters: the three averaged"},
        {{Black, Black, Black, Black}, Black, "none"},
        // Both channels round to zero; black would read as a hole in the dog.
        {{0x010000, 0x000001, Black, Black}, 0x000001, "a dark mix"},
    };
    for (const auto& c : cases) EXPECT_EQ(ReduceOnBlack(Make(2, 2, c.quad), {1, 1}).pixels.at(0), c.pixel) << c.what;
}

// The sheet's layout, mask and mirrored cells are checked against the
// one-times sheet in the artwork tests, and as drawn by Windows in the platform tests.

TEST(BuildSpriteSheet, CellsAreReducedApartSoNoDogReachesIntoTheNext) {
    // Cells of 2 x 2: the first dog fills its cell's lower half, the second
    // its upper half; reduced to 1 x 1 each stays in its own cell.
    const Picture colours = Make(2, 6, {Black, Black, 0x808080, 0x808080,
                                        0x404040, 0x404040, Black, Black,
                                        Black, Black, Black, Black});
    const Picture sheet = BuildSpriteSheet(colours, {1, 1});
    ASSERT_EQ(sheet.height, 6);
    EXPECT_EQ(sheet.at(0, 0), 0x808080u);
    EXPECT_EQ(sheet.at(0, 1), 0x404040u);
    EXPECT_EQ(sheet.at(0, 2), Black);
    EXPECT_EQ(sheet.at(1, 2), White);
    EXPECT_TRUE(BuildSpriteSheet(Make(2, 2, {Black, Black, Black, Black}), {1, 1}).empty())
        << "a column that is not three cells";
}

}  // namespace
