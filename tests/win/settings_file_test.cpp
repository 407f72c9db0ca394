// The settings file through the real profile functions: a probe program
// built from the settings store is copied into a folder and run there.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "driver.h"

namespace {

using driver::Keys;

const char DefaultsLine[] = "BgColor=16777088 hiki=2 dx0=8 dy0=5 weight=25";

struct Probe : driver::ScrCopy {
    explicit Probe(const std::string& folderName, const std::string& exeName = "")
        : ScrCopy(folderName, "settings_probe.exe", exeName) {}
    std::string run(const std::string& arguments) {
        const driver::Captured captured = driver::RunCapture(path(), driver::Quoted(path()) + " " + arguments, 20000);
        EXPECT_TRUE(captured.ended) << "probe " << arguments << " did not end";
        std::string output = captured.output;
        output.erase(std::remove(output.begin(), output.end(), '\r'), output.end());
        return output;
    }
    // First line of "load": the five values.
    std::string load() {
        const std::string output = run("load");
        return output.substr(0, output.find('\n'));
    }
};

TEST(SettingsFile, NoFileGivesEveryDefaultAndCreatesNothing) {
    Probe probe("nofile");
    EXPECT_EQ(probe.load(), DefaultsLine);
    EXPECT_FALSE(driver::FileExists(probe.ini()));
}

TEST(SettingsFile, MissingKeysTakeTheirOwnDefaults) {
    const struct { const char* file; const char* loaded; } cases[] = {
        {"[settei]\r\nweight=200\r\n", "BgColor=16777088 hiki=2 dx0=8 dy0=5 weight=200"},
        {"[settei]\r\nhiki=0\r\ndy0=0\r\n", "BgColor=16777088 hiki=0 dx0=8 dy0=0 weight=25"},
        {"[other]\r\nhiki=7\r\n", DefaultsLine},
        {"", DefaultsLine},
        // Section and key names match without regard to case.
        {"[SETTEI]\r\nBGCOLOR=255\r\nDX0=20\r\n", "BgColor=255 hiki=2 dx0=20 dy0=5 weight=25"},
    };
    for (const auto& c : cases) {
        Probe probe("partial");
        probe.writeIni(c.file);
        EXPECT_EQ(probe.load(), c.loaded) << c.file;
    }
}

TEST(SettingsFile, ValuesOutsideTheSlidersGoBackUnchanged) {
    const struct { std::string file; const char* loaded; } cases[] = {
        {driver::SettingsFile(-1, 50, 1, 99, 204), "BgColor=-1 hiki=50 dx0=1 dy0=99 weight=204"},
        {driver::SettingsFile(0, 9, 2, 0, 0), "BgColor=0 hiki=9 dx0=2 dy0=0 weight=0"},
        {driver::SettingsFile(16777215, 2, 20, 20, 200), "BgColor=16777215 hiki=2 dx0=20 dy0=20 weight=200"},
    };
    for (const auto& c : cases) {
        Probe probe("roundtrip");
        probe.writeIni(c.file);
        EXPECT_EQ(probe.load(), c.loaded);
        EXPECT_EQ(probe.run("loadsave"), "saved=1\n");
        EXPECT_EQ(driver::IniKeys(driver::ReadFile(probe.ini()), "settei"), driver::IniKeys(c.file, "settei"))
            << "what was loaded must be written back as it was";
    }
}

TEST(SettingsFile, NewFileHoldsTheKeysInTheirFixedOrder) {
    Probe probe("newfile");
    EXPECT_EQ(probe.run("save 16777088 2 8 5 25"), "saved=1\n");
    EXPECT_EQ(driver::ReadFile(probe.ini()),
              "[settei]\r\nBgColor=16777088\r\nhiki=2\r\ndx0=8\r\ndy0=5\r\nweight=25\r\n");

    Probe extremes("extremes");
    extremes.run("save -2147483648 4294967295 0 0 4294967295");
    EXPECT_EQ(driver::IniKeys(driver::ReadFile(extremes.ini()), "settei"),
              (Keys{{"BgColor", "-2147483648"}, {"hiki", "4294967295"}, {"dx0", "0"},
                    {"dy0", "0"}, {"weight", "4294967295"}}));
}

TEST(SettingsFile, ExistingFileKeepsItsOtherLinesAndKeyPlaces) {
    Probe probe("existing");
    probe.writeIni("; mine\r\n[settei]\r\nweight=3\r\nhiki=1\r\n[other]\r\nx=1\r\n");
    probe.run("save 0 4 5 6 7");
    const std::string text = driver::ReadFile(probe.ini());
    EXPECT_NE(text.find("; mine"), std::string::npos);
    EXPECT_EQ(driver::IniKeys(text, "other"), (Keys{{"x", "1"}}));
    EXPECT_EQ(driver::IniKeys(text, "settei"),
              (Keys{{"weight", "7"}, {"hiki", "4"}, {"BgColor", "0"}, {"dx0", "5"}, {"dy0", "6"}}));

    // Byte for byte what the build that spoke Shift-JIS through the ANSI
    // functions wrote into this file (the platform drops the blank line).
    Probe recorded("recorded");
    recorded.writeIni("; kept as it is\r\n[other]\r\nx=1\r\n\r\n[settei]\r\nweight=3\r\nhiki=1\r\n");
    recorded.run("save 255 3 12 6 150");
    EXPECT_EQ(driver::ReadFile(recorded.ini()),
              "; kept as it is\r\n[other]\r\nx=1\r\n[settei]\r\nweight=150\r\nhiki=3\r\nBgColor=255\r\ndx0=12\r\ndy0=6\r\n");
}

// Names whose characters hold 0x5C, the backslash's byte: ソ and 表 as their
// Shift-JIS second byte, 小 and 屋 in their UTF-16 units; and a name no ANSI
// code page spells whole (犬 and é), where the narrow functions would see "?".
TEST(SettingsFile, FoundBesideAnExecutableWithJapaneseNames) {
    const struct { const char* folder; const char* exe; } cases[] = {
        {"ソフト", "settings_probe.exe"},
        {"表示", "表示ソフト.exe"},
        {"犬小屋", "ソ.exe"},
        {"犬小屋 café", "settings_probe.exe"},
    };
    for (const auto& c : cases) {
        Probe probe(c.folder, c.exe);
        probe.writeIni("[settei]\r\nhiki=7\r\n");
        EXPECT_EQ(probe.run("load"),
                  "BgColor=16777088 hiki=7 dx0=8 dy0=5 weight=25\ndir=" + probe.folder().path() + "\n")
            << c.folder << "\\" << c.exe;

        // And saving lands in the same file.
        DeleteFileW(driver::Widen(probe.ini()).c_str());
        probe.run("save 1 2 3 4 5");
        EXPECT_EQ(driver::IniKeys(driver::ReadFile(probe.ini()), "settei").size(), 5u) << c.folder << "\\" << c.exe;
    }
}

TEST(SettingsFile, AFailedWriteIsReportedAndLeavesTheFileAlone) {
    Probe probe("locked");
    const std::string before = "[settei]\r\nhiki=3\r\n";
    probe.writeIni(before);
    // Held open without write sharing, the file cannot be written (running
    // as root, a read-only attribute would not stop Wine).
    HANDLE held = driver::HoldOpen(probe.ini());
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(probe.run("save 1 2 3 4 5"), "saved=0\n");
    CloseHandle(held);
    EXPECT_EQ(driver::ReadFile(probe.ini()), before);
}

}  // namespace
