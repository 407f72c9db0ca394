// Settings files as a person might edit them by hand, on the real .scr: each
// must read as the platform's integer reading gives it, the saver must run on
// it and end on real input with code 0, and the settings window's OK must
// write back exactly what was loaded.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "driver.h"
#include "resources/resources.h"
#include "saver_screen.h"
#include "settings_session.h"

namespace {

using driver::IntroStep;
using namespace saver_screen;

struct Loaded {
    std::int32_t BgColor;
    std::uint32_t hiki, dx0, dy0, weight;
    bool operator==(const Loaded& o) const { return file() == o.file(); }
    std::string file() const { return driver::SettingsFile(BgColor, hiki, dx0, dy0, weight); }
};

std::ostream& operator<<(std::ostream& out, const Loaded& v) { return out << v.file(); }

constexpr Loaded Defaults = {16777088, 2, 8, 5, 25};

// What the saver shows once the title card has been revealed.
enum class Then {
    DogsHop,         // rows of the screen keep changing after the blind reveal
    BareBackground,  // no dog: the background alone stays
    NothingYet,      // a frame lasts for weeks: the background stays, the title never comes
};

struct Case {
    const char* name;
    std::string file;
    Loaded loaded;        // what the platform's integer reading gives for each key
    COLORREF background;  // what fills the screen
    Then then;
    const char* endWith;  // as driver::XInput takes it
    std::vector<std::string> survivors;  // text that OK must leave in the file
};

std::string HugeFile() {
    // About 5 MB: a hundred thousand other sections, a long comment line,
    // and the settings at the very end.
    std::string file;
    file.reserve(6u << 20);
    char line[64];
    for (int i = 0; i < 100000; ++i) {
        std::snprintf(line, sizeof line, "[s%05d]\r\na=%d\r\nb=some text here\r\n", i, i);
        file += line;
    }
    file += ";" + std::string(1500000, 'x') + "\r\n";
    file += "[settei]\r\nBgColor=8388736\r\nhiki=9\r\ndx0=12\r\ndy0=15\r\nweight=150\r\n";
    return file;
}

// A colour with its top byte set is no plain RGB value; the platform's
// brush paints it black.
constexpr COLORREF NotPlain = RGB(0, 0, 0);

const std::vector<Case> Cases = {
    {"words", "[settei]\r\nBgColor=blue\r\nhiki=many\r\ndx0=fast\r\ndy0=high\r\nweight=slow\r\n",
     {0, 0, 0, 0, 0}, RGB(0, 0, 0), Then::DogsHop, "a", {}},
    {"words_after_numbers", "[settei]\r\nBgColor=255 red\r\nhiki=3 dogs\r\ndx0=12px\r\ndy0=6 (six)\r\nweight=200!\r\n",
     {255, 3, 12, 6, 200}, RGB(255, 0, 0), Then::DogsHop, "click:1", {}},
    // As Notepad on a Japanese Windows writes it: Shift-JIS.
    {"japanese_words", driver::Encode(L"; いぬの数など\r\n[settei]\r\nBgColor=白\r\nhiki=三\r\ndx0=５\r\ndy0=１２\r\n", 932),
     {0, 0, 0, 0, 25}, RGB(0, 0, 0), Then::DogsHop, "Escape", {driver::Encode(L"; いぬの数など", 932)}},
    {"fractions", "[settei]\r\nBgColor=32768.5\r\nhiki=4.9\r\ndx0=2.5\r\ndy0=0.75\r\nweight=199.99\r\n",
     {32768, 4, 2, 0, 199}, RGB(0, 128, 0), Then::DogsHop, "click:3", {}},
    {"signs", "[settei]\r\nBgColor=+16711680\r\nhiki=-1\r\ndx0=+8\r\ndy0=-5\r\nweight=-5\r\n",
     {16711680, 4294967295u, 8, 4294967291u, 4294967291u}, RGB(0, 0, 255), Then::BareBackground, "space", {}},
    {"negative_colour_walking_backwards", "[settei]\r\nBgColor=-16744448\r\nhiki=+3\r\ndx0=-8\r\ndy0=-20\r\nweight=+150\r\n",
     {-16744448, 3, 4294967288u, 4294967276u, 150}, NotPlain, Then::DogsHop, "b", {}},
    {"sign_that_makes_a_frame_last_weeks", "[settei]\r\nweight=-2147483442\r\n",
     {16777088, 2, 8, 5, 2147483854u}, RGB(128, 255, 255), Then::NothingYet, "click:1", {}},
    {"beyond_32_bits",
     "[settei]\r\nBgColor=4278190335\r\nhiki=4294967305\r\ndx0=4294967304\r\ndy0=4294967296\r\n"
     "weight=99999999999999999999\r\n",
     {-16776961, 9, 8, 0, 1661992959u}, NotPlain, Then::DogsHop, "Return", {}},
    {"beyond_32_bits_negative",
     "[settei]\r\nBgColor=-4294967041\r\nhiki=-4294967295\r\ndx0=-4294967276\r\nweight=-4294967096\r\n",
     {255, 1, 20, 5, 200}, RGB(255, 0, 0), Then::DogsHop, "click:1", {}},
    {"empty_values", "[settei]\r\nBgColor=\r\nhiki=\r\ndx0=\r\ndy0=\r\nweight=\r\n",
     Defaults, RGB(128, 255, 255), Then::DogsHop, "Escape", {}},
    {"spaces_and_quotes",
     "[ settei ]\r\n BgColor = 8421504 \r\n\thiki\t=\t6\r\ndx0 = 10 \r\ndy0=\" 7\"\r\nweight = 1 9 0\r\n",
     {8421504, 6, 10, 7, 1}, RGB(128, 128, 128), Then::DogsHop, "a", {}},
    {"hexadecimal_looking", "[settei]\r\nBgColor=0xFF\r\nhiki=0x9\r\ndx0=0X10\r\ndy0=010\r\nweight=0b11001000\r\n",
     {255, 9, 0, 10, 200}, RGB(255, 0, 0), Then::DogsHop, "click:3", {}},
    {"utf8_byte_order_mark", "\xEF\xBB\xBF[settei]\r\nBgColor=8421376\r\nhiki=9\r\ndx0=20\r\ndy0=20\r\nweight=200\r\n",
     {8421376, 9, 20, 20, 200}, RGB(0, 128, 128), Then::DogsHop, "space", {"\xEF\xBB\xBF[settei]"}},
    {"duplicate_keys", "[settei]\r\nhiki=1\r\nBgColor=255\r\nhiki=7\r\nBgColor=65280\r\n",
     {255, 1, 8, 5, 25}, RGB(255, 0, 0), Then::DogsHop, "Escape", {"hiki=7", "BgColor=65280"}},
    {"duplicate_sections", "[settei]\r\nhiki=1\r\nBgColor=16711935\r\n[other]\r\nx=1\r\n[SETTEI]\r\ndx0=3\r\nhiki=8\r\n",
     {16711935, 1, 8, 5, 25}, RGB(255, 0, 255), Then::DogsHop, "click:1", {"[SETTEI]", "dx0=3", "hiki=8", "x=1"}},
    {"lf_only_lines", "[settei]\nBgColor=4210752\nhiki=5\ndx0=6\ndy0=12\nweight=180\n",
     {4210752, 5, 6, 12, 180}, RGB(64, 64, 64), Then::DogsHop, "a", {}},
    {"huge_file", HugeFile(), {8388736, 9, 12, 15, 150}, RGB(128, 0, 128), Then::DogsHop, "click:1",
     {"[s00000]", "[s99999]\r\na=99999"}},
    {"no_dog_and_a_frame_count_below_zero", "[settei]\r\nhiki=-1\r\nweight=300\r\n",
     {16777088, 4294967295u, 8, 5, 300}, RGB(128, 255, 255), Then::BareBackground, "Escape", {}},
    {"many_dogs_stepping_back_with_the_lowest_hop",
     "[settei]\r\nhiki=50\r\ndx0=-1\r\ndy0=-2147483648\r\nweight=2147483647\r\n",
     {16777088, 50, 4294967295u, 2147483648u, 2147483647u}, RGB(128, 255, 255), Then::DogsHop, "Escape", {}},
    {"very_long_value", "[settei]\r\nhiki=" + std::string(2000000, '7') + "\r\nBgColor=12632256\r\n",
     {12632256, 3519487089u, 8, 5, 25}, RGB(192, 192, 192), Then::BareBackground, "Escape", {}},
};

// The platform's integer reading, with the product's defaults.
Loaded PlatformReading(const std::string& ini) {
    const auto read = [&](const wchar_t* key, std::uint32_t fallback) {
        return static_cast<std::uint32_t>(
            GetPrivateProfileIntW(L"settei", key, static_cast<INT>(fallback), driver::Widen(ini).c_str()));
    };
    return {static_cast<std::int32_t>(read(L"BgColor", static_cast<std::uint32_t>(Defaults.BgColor))),
            read(L"hiki", Defaults.hiki), read(L"dx0", Defaults.dx0), read(L"dy0", Defaults.dy0),
            read(L"weight", Defaults.weight)};
}

// The value text the platform finds for a key (the first one of its section).
std::string PlatformText(const std::string& ini, const char* key) {
    wchar_t text[64] = {};
    GetPrivateProfileStringW(L"settei", driver::Widen(key).c_str(), L"", text, 64, driver::Widen(ini).c_str());
    return driver::Utf8(text);
}

// The colour the platform paints for a COLORREF, in a bitmap made like the
// saver's background surface.
COLORREF PlatformPaints(std::int32_t bgColor) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 4, 4);
    HGDIOBJ old = SelectObject(memory, bitmap);
    HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(bgColor));
    const RECT area = {0, 0, 4, 4};
    FillRect(memory, &area, brush);
    const COLORREF painted = GetPixel(memory, 1, 1);
    DeleteObject(brush);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return painted;
}

// The file's reading is checked before each run of a case: by the
// platform, by the product's own LoadSettings, and against the table.
void ExpectReadsAsTabled(const Case& c, const driver::ScrCopy& copy) {
    EXPECT_EQ(PlatformReading(copy.ini()), c.loaded) << c.name << ": the platform's reading";
    // What LoadSettings read, from a probe built of the settings store and run beside the file.
    const std::string exe = copy.folder().file("settings_probe.exe");
    driver::CopyInto(driver::ModuleDirectory() + "settings_probe.exe", exe);
    const driver::Captured captured = driver::RunCapture(exe, driver::Quoted(exe) + " load", 60000);
    Loaded probe = {};
    ASSERT_TRUE(captured.ended && std::sscanf(captured.output.c_str(), "BgColor=%d hiki=%u dx0=%u dy0=%u weight=%u",
                                              &probe.BgColor, &probe.hiki, &probe.dx0, &probe.dy0, &probe.weight) == 5)
        << c.name << ": the settings probe gave no reading";
    EXPECT_EQ(probe, c.loaded) << c.name << ": LoadSettings must store what the platform reads";
}

class HandEditedSettings : public testing::TestWithParam<size_t> {
protected:
    const Case& c = Cases[GetParam()];
};

TEST_P(HandEditedSettings, TheSaverRunsAndEndsOnInput) {
    const driver::ScrCopy scr(std::string("hand_saver_") + c.name);
    scr.writeIni(c.file);
    ExpectReadsAsTabled(c, scr);
    EXPECT_EQ(PlatformPaints(c.loaded.BgColor), c.background)
        << "the table's colour must be what the platform paints for BgColor " << c.loaded.BgColor;

    driver::Pixels card;
    ASSERT_TRUE(driver::PictureShown(scr.path(), TitleCardId, card));
    const Screen title = TitleScreen(c.background, card);

    driver::Process saver = scr.start("/s");
    ASSERT_TRUE(driver::RunBegins(saver, c.background, IntroStep));
    if (c.then != Then::NothingYet) {
        ASSERT_NE(WaitForAnyScreen({title}, IntroStep), 0u) << "the title card never stood alone";
        ASSERT_TRUE(WaitForScreenToLeave(title, IntroStep)) << "the title card never gave way";
    }
    if (c.then == Then::DogsHop) {
        EXPECT_TRUE(WaitForARowToChangeTwice(IntroStep)) << "the dogs did not hop";
    } else if (c.then == Then::BareBackground) {
        EXPECT_NE(WaitForAnyScreen({Screen(c.background)}, IntroStep), 0u) << "the background did not come back alone";
    }
    ASSERT_TRUE(saver.running()) << "the saver ended before any input";

    ASSERT_TRUE(driver::XInput(c.endWith));
    EXPECT_EQ(saver.waitExit().problem(), "") << "after " << c.endWith;
}

TEST_P(HandEditedSettings, TheSettingsWindowOpensAndOkWritesBackWhatItLoaded) {
    using namespace settings_test;
    SettingsSession session(std::string("hand_window_") + c.name, c.file);
    ExpectReadsAsTabled(c, session);

    ASSERT_TRUE(session.open()) << "the settings window did not open";
    // Each slider shows its loaded value at the nearest end of its range; the
    // fields are unsigned, so a hand-written -1 stands at the top end.
    EXPECT_EQ(session.position(DogSliderId), int(std::clamp(c.loaded.hiki, 0u, 9u)));
    EXPECT_EQ(session.position(StepSliderId), int(std::clamp(c.loaded.dx0, 2u, 20u)));
    EXPECT_EQ(session.position(HopSliderId), int(std::clamp(c.loaded.dy0, 0u, 20u)));
    EXPECT_EQ(session.position(SpeedSliderId), int(std::clamp(c.loaded.weight, 0u, 200u)));
    ASSERT_EQ(session.ok(), "") << "after OK";

    EXPECT_EQ(PlatformReading(session.ini()), c.loaded) << "OK must write back what was loaded";
    for (const auto& [key, text] : driver::IniKeys(c.loaded.file(), "settei"))
        EXPECT_EQ(PlatformText(session.ini(), key.c_str()), text) << key << " as plain decimal text";
    const std::string bytes = session.iniBytes();
    for (const std::string& line : c.survivors)
        EXPECT_NE(bytes.find(line), std::string::npos) << "OK lost \"" << line << "\" from the file";
}

INSTANTIATE_TEST_SUITE_P(Cases, HandEditedSettings, testing::Range<size_t>(0, Cases.size()),
                         [](const testing::TestParamInfo<size_t>& info) { return std::string(Cases[info.param].name); });

}  // namespace
