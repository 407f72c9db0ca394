// The resources inside the built pok_v3.scr, loaded and drawn through the
// same Windows functions and raster operations the saver uses.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "driver.h"
#include "resources/pictures.h"

namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// The .scr mapped for its resources only; none of its code runs.
class ScrResources : public testing::Test {
protected:
    static void SetUpTestSuite() {
        module_ = LoadLibraryExA(driver::BuiltScr().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    }
    static void TearDownTestSuite() {
        if (module_) FreeLibrary(module_);
        module_ = nullptr;
    }
    void SetUp() override { ASSERT_NE(module_, nullptr) << "cannot map " << driver::BuiltScr(); }
    static HMODULE module_;
};
HMODULE ScrResources::module_ = nullptr;

TEST_F(ScrResources, BitmapsLoadWithTheirStatedSizes) {
    const struct {
        int id, width, height;
        UINT flags;
    } cases[] = {
        {101, 300, 768, LR_DEFAULTCOLOR},  // sprite sheet, as the drawing surfaces load it
        {102, 152, 112, LR_DEFAULTCOLOR},  // preview picture, as the preview window loads it
        {102, 152, 112, LR_DEFAULTSIZE},   // and as the settings window loads it
        {103, 300, 248, LR_DEFAULTCOLOR},  // title card
        // The drawings at two and three times the size; the sheets' colour column alone.
        {201, 300, 768, LR_DEFAULTCOLOR}, {202, 304, 224, LR_DEFAULTCOLOR}, {203, 600, 496, LR_DEFAULTCOLOR},
        {301, 450, 1152, LR_DEFAULTCOLOR}, {302, 456, 336, LR_DEFAULTCOLOR}, {303, 900, 744, LR_DEFAULTCOLOR},
    };
    for (const auto& c : cases) {
        HANDLE image = LoadImageA(module_, MAKEINTRESOURCEA(c.id), IMAGE_BITMAP, 0, 0, c.flags);
        ASSERT_NE(image, nullptr) << "bitmap " << c.id << " does not load";
        BITMAP info = {};
        GetObjectA(image, sizeof info, &info);
        EXPECT_EQ(info.bmWidth, c.width) << "bitmap " << c.id;
        EXPECT_EQ(info.bmHeight, c.height) << "bitmap " << c.id;
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
    const struct {
        LPCSTR type;
        int id;
    } cases[] = {
        {RT_BITMAP, 101},     {RT_BITMAP, 102},  {RT_BITMAP, 103}, {RT_GROUP_ICON, 104},
        {RT_BITMAP, 201},     {RT_BITMAP, 202},  {RT_BITMAP, 203},
        {RT_BITMAP, 301},     {RT_BITMAP, 302},  {RT_BITMAP, 303},
        {RT_STRING, 1},       // the string block holding entries 0 to 15
        {RT_VERSION, 1},
    };
    for (const auto& c : cases) {
        std::vector<WORD> languages;
        EnumResourceLanguagesA(module_, c.type, MAKEINTRESOURCEA(c.id), CollectLanguage,
                               reinterpret_cast<LONG_PTR>(&languages));
        EXPECT_EQ(languages, std::vector<WORD>{kJapanese})
            << "resource " << c.id << " of type " << reinterpret_cast<uintptr_t>(c.type);
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

// ---- Version information --------------------------------------------------

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
    const struct {
        const wchar_t* wideName;
        const char* name;
        const wchar_t* wide;
    } cases[] = {
        {L"FileDescription", "FileDescription", L"Pokセーバー"},
        {L"ProductName", "ProductName", L"Pokセーバー"},
        {L"FileVersion", "FileVersion", L"3.01"},
        {L"OriginalFilename", "OriginalFilename", L"pok_v3.scr"},
    };
    for (const auto& c : cases) {
        wchar_t* wide = nullptr;
        UINT length = 0;
        const std::wstring widePath = std::wstring(L"\\StringFileInfo\\041104B0\\") + c.wideName;
        ASSERT_TRUE(VerQueryValueW(data_.data(), widePath.c_str(), reinterpret_cast<void**>(&wide), &length))
            << c.name << " missing";
        EXPECT_EQ(std::wstring(wide), c.wide) << c.name;

        char* narrow = nullptr;
        const std::string path = std::string("\\StringFileInfo\\041104B0\\") + c.name;
        ASSERT_TRUE(VerQueryValueA(data_.data(), path.c_str(), reinterpret_cast<void**>(&narrow), &length))
            << c.name << " missing through the ANSI function";
        EXPECT_EQ(std::string(narrow), driver::Encode(c.wide, GetACP())) << c.name;
    }
}

// ---- The two-pass draw ----------------------------------------------------

// 32-bit top-down pixels of a bitmap, as 0x00RRGGBB.
std::vector<uint32_t> Pixels(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info = driver::TopDown32(width, height);
    std::vector<uint32_t> out(size_t(width) * size_t(height));
    GetDIBits(dc, bitmap, 0, UINT(height), out.data(), &info, DIB_RGB_COLORS);
    return out;
}

void SetPixels(HDC dc, HBITMAP bitmap, int width, int height, const std::vector<uint32_t>& pixels) {
    BITMAPINFO info = driver::TopDown32(width, height);
    SetDIBits(dc, bitmap, 0, UINT(height), pixels.data(), &info, DIB_RGB_COLORS);
}

// The sheet's pixels as stored in the executable, straight from the resource
// data: the truth the loaded bitmap must reproduce on screen.
std::vector<uint32_t> StoredSheet(HMODULE module) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(101), RT_BITMAP);
    if (!found) return {};
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(bytes);
    if (header->biBitCount != 24 || header->biHeight != 768) return {};
    const uint8_t* rows = bytes + header->biSize;
    std::vector<uint32_t> out(300 * 768);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 300; ++x) {
            const uint8_t* p = rows + size_t(767 - y) * 900 + size_t(x) * 3;
            out[size_t(y) * 300 + size_t(x)] = uint32_t(p[2]) << 16 | uint32_t(p[1]) << 8 | p[0];
        }
    return out;
}

// Draws every cell of the sheet the saver's two-pass way over noise and flat
// colours, and checks that only the dog's pixels change, to those stored.
void ExpectTwoPassDrawKeepsTheBackground(HBITMAP sheet, const std::vector<uint32_t>& stored, int cellWidth,
                                         int cellHeight) {
    const int sheetWidth = 2 * cellWidth;
    // Surfaces made the way the saver makes them: compatible with the screen.
    HDC screen = GetDC(nullptr);
    HDC sprites = CreateCompatibleDC(screen);
    HDC frame = CreateCompatibleDC(screen);
    HGDIOBJ oldSprites = SelectObject(sprites, sheet);
    const int width = cellWidth + 70, height = cellHeight + 42, left = 37, top = 21;
    HBITMAP target = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ oldFrame = SelectObject(frame, target);

    std::mt19937 random(20240601);
    for (int cell = 0; cell < 6; ++cell) {
        for (int background = 0; background < 4; ++background) {
            // Noise exercises every bit of AND and OR; flat colours include
            // the default light cyan.
            std::vector<uint32_t> before(size_t(width) * size_t(height));
            const uint32_t flat = background == 1 ? 0x80FFFFu : random() & 0xFFFFFFu;
            for (uint32_t& p : before) p = background == 0 ? random() & 0xFFFFFFu : flat;
            SetPixels(frame, target, width, height, before);

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
                    const size_t at = size_t(row + sy) * size_t(sheetWidth) + size_t(sx);
                    const bool dog = inCell && stored[at + size_t(cellWidth)] == 0;
                    if (dog) {
                        ++inside;
                        if (after[i] != stored[at]) ++wrongInside;
                    } else if (after[i] != before[i]) {
                        ++changedOutside;
                    }
                }
            EXPECT_GT(inside, cellWidth * cellHeight / 4) << "cell " << cell << ": hardly any dog";
            EXPECT_EQ(changedOutside, 0) << "cell " << cell << ", background " << background
                                         << ": pixels outside the dog changed";
            EXPECT_EQ(wrongInside, 0) << "cell " << cell << ", background " << background
                                      << ": dog pixels not shown as stored";
        }
    }

    SelectObject(frame, oldFrame);
    SelectObject(sprites, oldSprites);
    DeleteObject(target);
    DeleteDC(frame);
    DeleteDC(sprites);
    ReleaseDC(nullptr, screen);
}

TEST_F(ScrResources, TwoPassDrawOfEveryCellKeepsTheBackgroundAndShowsTheDog) {
    const std::vector<uint32_t> stored = StoredSheet(module_);
    ASSERT_EQ(stored.size(), 300u * 768u) << "sprite sheet resource is not the 24-bit 300 x 768 DIB";
    HANDLE sheet = LoadImageA(module_, MAKEINTRESOURCEA(101), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
    ASSERT_NE(sheet, nullptr);
    ExpectTwoPassDrawKeepsTheBackground(static_cast<HBITMAP>(sheet), stored, 150, 128);
    DeleteObject(sheet);
}

// The pictures the program makes for a display scale: each at its scaled
// size, at two and three times exactly the drawing as Windows reads it, and
// the sheet drawn as the one-times sheet is.
TEST_F(ScrResources, PicturesAtEveryScaleAreTheirSizeAndTheSheetDrawsLikeTheOneTimesSheet) {
    HDC screen = GetDC(nullptr);
    for (int dpi : {120, 144, 168, 192, 240, 288}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        const Scale scale{dpi};
        const struct {
            int id, width, height;
        } pictures[] = {
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
                HANDLE stored = LoadImageA(module_, MAKEINTRESOURCEA(drawing), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR);
                BITMAP storedInfo = {};
                ASSERT_TRUE(stored && GetObjectW(stored, sizeof storedInfo, &storedInfo)) << "bitmap " << drawing;
                const std::vector<uint32_t> expected =
                    Pixels(screen, static_cast<HBITMAP>(stored), storedInfo.bmWidth, storedInfo.bmHeight);
                int differ = 0;
                for (int y = 0; y < storedInfo.bmHeight; ++y)
                    for (int x = 0; x < storedInfo.bmWidth; ++x)
                        differ += pixels[size_t(y) * size_t(info.bmWidth) + size_t(x)] !=
                                  expected[size_t(y) * size_t(storedInfo.bmWidth) + size_t(x)];
                EXPECT_EQ(differ, 0) << "pixels of picture " << picture.id << " that are not those of bitmap " << drawing;
                DeleteObject(stored);
            }
            if (picture.id == SpriteSheetId) ExpectTwoPassDrawKeepsTheBackground(made, pixels, scale(150), scale(128));
            DeleteObject(made);
        }
    }
    ReleaseDC(nullptr, screen);
}

}  // namespace
