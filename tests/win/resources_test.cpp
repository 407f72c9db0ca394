// The resources inside the built pok_v3.scr, loaded and drawn through the
// same Windows functions and raster operations the saver uses.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "driver.h"
#include "resources/picture_scaling.h"
#include "resources/pictures.h"

namespace {

// The .scr mapped for its resources only; none of its code runs.
class ScrResources : public testing::Test {
protected:
    static void SetUpTestSuite() {
        module_ = LoadLibraryExA(driver::BuiltScr().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (module_) FreeLibrary(module_);
    }
    void SetUp() override { ASSERT_NE(module_, nullptr) << "cannot map " << driver::BuiltScr(); }
    static inline HMODULE module_ = nullptr;
};

// Every drawing by identifier and size: each picture at one, two and three
// times its design size, the one-times sheet whole and the larger sheets
// their right-facing colour column alone.
struct Drawing { int id, width, height; };
std::vector<Drawing> Drawings() {
    std::vector<Drawing> all;
    for (int k = 1; k <= EmbeddedScales; ++k)
        for (const auto& [id, kind] : {std::pair{SpriteSheetId, PictureKind::SpriteSheet},
                                       {PreviewPictureId, PictureKind::PreviewPicture},
                                       {TitleCardId, PictureKind::TitleCard}}) {
            const bool sheet = kind == PictureKind::SpriteSheet;
            all.push_back({id + (k - 1) * ScaledPictureStep, (sheet && k == 1 ? 2 : 1) * k * DesignSize(kind).width,
                           (sheet ? (k == 1 ? 6 : 3) : 1) * k * DesignSize(kind).height});
        }
    return all;
}

TEST_F(ScrResources, BitmapsLoadWithTheirStatedSizes) {
    // As the drawing surfaces and the preview window load them, and the
    // preview picture also as the settings window does.
    std::vector<std::pair<Drawing, UINT>> cases = {{Drawings()[1], LR_DEFAULTSIZE}};
    for (const Drawing& d : Drawings()) cases.push_back({d, LR_DEFAULTCOLOR});
    for (const auto& [d, flags] : cases) {
        HANDLE image = LoadImageA(module_, MAKEINTRESOURCEA(d.id), IMAGE_BITMAP, 0, 0, flags);
        ASSERT_NE(image, nullptr) << "bitmap " << d.id << " does not load";
        BITMAP info = {};
        GetObjectA(image, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, d.width) << "bitmap " << d.id;
        EXPECT_EQ(info.bmHeight, d.height) << "bitmap " << d.id;
        DeleteObject(image);
    }
}

TEST_F(ScrResources, IconLoadsAt32By32) {
    HICON icon = LoadIconA(module_, MAKEINTRESOURCEA(104));
    ASSERT_NE(icon, nullptr);
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colour = {};
    GetObjectA(info.hbmColor, sizeof colour, &colour);
    EXPECT_TRUE(info.fIcon);
    EXPECT_EQ(colour.bmWidth, 32);
    EXPECT_EQ(colour.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
}

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
    reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
    return TRUE;
}

// Every resource is bound in Japanese and in nothing else, so no language
// setting of the system picks another copy.
TEST_F(ScrResources, EveryResourceIsJapaneseOnly) {
    std::vector<std::pair<LPCSTR, int>> cases = {{RT_GROUP_ICON, ApplicationIconId},
                                                 {RT_STRING, 1},  // the string block holding entries 0 to 15
                                                 {RT_VERSION, 1}};
    for (const Drawing& d : Drawings()) cases.push_back({RT_BITMAP, d.id});
    for (const auto& [type, id] : cases) {
        std::vector<WORD> languages;
        EnumResourceLanguagesA(module_, type, MAKEINTRESOURCEA(id), CollectLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(languages, std::vector<WORD>{MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)})
            << "resource " << id << " of type " << reinterpret_cast<uintptr_t>(type);
    }
}

TEST_F(ScrResources, NameForTheScreenSaverListReadsBackInJapanese) {
    wchar_t wide[64] = {};
    EXPECT_EQ(LoadStringW(module_, 1, wide, 64), 7);
    EXPECT_EQ(std::wstring(wide), L"Pokセーバー");
    char narrow[64] = {};
    LoadStringA(module_, 1, narrow, sizeof narrow);
    EXPECT_EQ(std::string(narrow), driver::Encode(L"Pokセーバー", GetACP())) << "in the system's code page through the ANSI function";
}

class VersionBlock : public testing::Test {
protected:
    void SetUp() override {
        const std::string path = driver::BuiltScr();
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
        ASSERT_GT(size, 0u) << "no version block";
        data_.resize(size);
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, size, data_.data()));
    }
    std::vector<char> data_;
};

TEST_F(VersionBlock, FixedPartNamesVersionThreePointOne) {
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data_.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    ASSERT_GE(length, sizeof *fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00030001u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
}

TEST_F(VersionBlock, TranslationIsJapaneseUnicode) {
    WORD* pair = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(data_.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&pair), &length));
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(pair[0], 0x0411);
    EXPECT_EQ(pair[1], 1200);
}

TEST_F(VersionBlock, StringsReadBackThroughBothCharacterSets) {
    const struct { const char* name; const wchar_t* wide; } cases[] = {
        {"FileDescription", L"Pokセーバー"},
        {"ProductName", L"Pokセーバー"},
        {"FileVersion", L"3.01"},
        {"OriginalFilename", L"pok_v3.scr"},
    };
    for (const auto& c : cases) {
        const std::string path = std::string("\\StringFileInfo\\041104B0\\") + c.name;
        wchar_t* wide = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(data_.data(), driver::Widen(path).c_str(), reinterpret_cast<void**>(&wide), &length))
            << c.name << " missing";
        EXPECT_EQ(std::wstring(wide), c.wide) << c.name;

        char* narrow = nullptr;
        ASSERT_TRUE(VerQueryValueA(data_.data(), path.c_str(), reinterpret_cast<void**>(&narrow), &length))
            << c.name << " missing through the ANSI function";
        EXPECT_EQ(std::string(narrow), driver::Encode(c.wide, GetACP())) << c.name;
    }
}

// 32-bit top-down pixels of a bitmap, as 0x00RRGGBB.
std::vector<uint32_t> Pixels(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info = driver::TopDown32(width, height);
    std::vector<uint32_t> out(size_t(width) * size_t(height));
    GetDIBits(dc, bitmap, 0, UINT(height), out.data(), &info, DIB_RGB_COLORS);
    return out;
}

// Draws every cell of the sheet the saver's two-pass way, on surfaces made as
// the saver makes them (compatible with the screen), over noise and flat
// colours, and checks that only the dog's pixels change, to those stored.
void ExpectTwoPassDrawKeepsTheBackground(HDC screen, HBITMAP sheet, const std::vector<uint32_t>& stored,
                                         int cellWidth, int cellHeight) {
    HDC sprites = CreateCompatibleDC(screen);
    HDC frame = CreateCompatibleDC(screen);
    HGDIOBJ oldSprites = SelectObject(sprites, sheet);
    const int width = cellWidth + 70, height = cellHeight + 42, left = 37, top = 21;
    HBITMAP target = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldFrame = SelectObject(frame, target);
    BITMAPINFO format = driver::TopDown32(width, height);

    std::mt19937 random(20240601);
    for (int cell = 0; cell < 6; ++cell)
        for (int background = 0; background < 4; ++background) {
            SCOPED_TRACE(testing::Message() << "cell " << cell << ", background " << background);
            // Noise exercises every bit of AND and OR; flat colours include
            // the default light cyan.
            std::vector<uint32_t> before(size_t(width) * size_t(height));
            const uint32_t flat = background == 1 ? 0x80FFFFu : random() & 0xFFFFFFu;
            for (uint32_t& p : before) p = background == 0 ? random() & 0xFFFFFFu : flat;
            SetDIBits(frame, target, 0, UINT(height), before.data(), &format, DIB_RGB_COLORS);

            const int row = cell * cellHeight;
            BitBlt(frame, left, top, cellWidth, cellHeight, sprites, cellWidth, row, SRCAND);
            BitBlt(frame, left, top, cellWidth, cellHeight, sprites, 0, row, SRCPAINT);
            const std::vector<uint32_t> after = Pixels(frame, target, width, height);

            int changedOutside = 0, wrongInside = 0, inside = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const size_t i = size_t(y) * size_t(width) + size_t(x);
                    const int sx = x - left, sy = y - top;
                    const bool inCell = sx >= 0 && sx < cellWidth && sy >= 0 && sy < cellHeight;
                    const size_t at = size_t(row + sy) * size_t(2 * cellWidth) + size_t(sx);
                    const bool dog = inCell && stored[at + size_t(cellWidth)] == 0;
                    inside += dog;
                    wrongInside += dog && after[i] != stored[at];
                    changedOutside += !dog && after[i] != before[i];
                }
            EXPECT_GT(inside, cellWidth * cellHeight / 4) << "hardly any dog";
            EXPECT_EQ(changedOutside, 0) << "pixels outside the dog changed";
            EXPECT_EQ(wrongInside, 0) << "dog pixels not shown as stored";
        }

    SelectObject(frame, oldFrame);
    SelectObject(sprites, oldSprites);
    DeleteObject(target);
    DeleteDC(frame);
    DeleteDC(sprites);
}

// The pictures the program makes for a display scale: each at its scaled
// size, at one, two and three times exactly the drawing as Windows reads it,
// and every cell of the sheet drawn the saver's two-pass way.
TEST_F(ScrResources, PicturesAtEveryScaleAreTheirSizeAndTheSheetDrawsLikeTheOneTimesSheet) {
    HDC screen = GetDC(nullptr);
    for (int dpi : {96, 120, 144, 168, 192, 240, 288}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        const Scale scale{dpi};
        const struct { int id, width, height; } pictures[] = {
            {SpriteSheetId, 2 * scale(150), 6 * scale(128)},
            {PreviewPictureId, scale(152), scale(112)},
            {TitleCardId, scale(300), scale(248)},
        };
        for (const auto& picture : pictures) {
            HBITMAP made = LoadPicture(picture.id, scale, module_);
            BITMAP info = {};
            ASSERT_TRUE(made && GetObjectW(made, sizeof info, &info)) << "picture " << picture.id;
            EXPECT_EQ(info.bmWidth, picture.width) << "picture " << picture.id;
            EXPECT_EQ(info.bmHeight, picture.height) << "picture " << picture.id;
            const std::vector<uint32_t> pixels = Pixels(screen, made, info.bmWidth, info.bmHeight);

            if (dpi % 96 == 0) {
                // The drawing itself, not reduced: its colours where the program puts them.
                const int drawing = picture.id + (dpi / 96 - 1) * ScaledPictureStep;
                const driver::Pixels expected = driver::ResourceBitmap(driver::BuiltScr(), drawing);
                ASSERT_NE(expected.width, 0) << "bitmap " << drawing;
                int differ = 0;
                for (int y = 0; y < expected.height; ++y)
                    for (int x = 0; x < expected.width; ++x) {
                        const uint32_t c = pixels[size_t(y) * size_t(info.bmWidth) + size_t(x)];
                        differ += RGB(c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF) != expected.at(x, y);
                    }
                EXPECT_EQ(differ, 0) << "pixels of picture " << picture.id << " that are not those of bitmap " << drawing;
            }
            if (picture.id == SpriteSheetId)
                ExpectTwoPassDrawKeepsTheBackground(screen, made, pixels, scale(150), scale(128));
            DeleteObject(made);
        }
    }
    ReleaseDC(nullptr, screen);
}

}  // namespace
