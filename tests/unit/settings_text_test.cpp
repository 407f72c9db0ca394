#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "settings/settings_text.h"

namespace {

TEST(SettingsText, ValuesAreWrittenAsPlainDecimal) {
    const struct {
        std::int32_t value;
        const char* text;
    } signedCases[] = {
        {16777088, "16777088"}, {0, "0"}, {-1, "-1"}, {16777215, "16777215"},
        {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"}, {7, "7"},
    };
    for (const auto& c : signedCases) EXPECT_STREQ(SignedDecimal(c.value).text, c.text);

    const struct {
        std::uint32_t value;
        const char* text;
    } unsignedCases[] = {
        {25, "25"}, {0, "0"}, {50, "50"}, {100, "100"}, {4294967295u, "4294967295"}, {2147483648u, "2147483648"},
    };
    for (const auto& c : unsignedCases) EXPECT_STREQ(UnsignedDecimal(c.value).text, c.text);
}

// Lead bytes of code page 932, as IsDBCSLeadByte reports them there.
bool ShiftJisLead(char c) {
    const auto b = static_cast<unsigned char>(c);
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

TEST(ModuleDirectoryCut, KeepsEverythingUpToTheLastRealBackslash) {
    const struct {
        std::string path;
        std::string directory;
    } cases[] = {
        {"C:\\Windows\\System32\\pok_v3.scr", "C:\\Windows\\System32\\"},
        {"C:\\pok_v3.scr", "C:\\"},
        // ソ (0x83 0x5C) and 表 (0x95 0x5C) end in the backslash byte.
        {"C:\\ソフト\\pok_v3.scr", "C:\\ソフト\\"},
        {"C:\\表示\\pok_v3.scr", "C:\\表示\\"},
        {"C:\\ソ\\表\\pok_v3.scr", "C:\\ソ\\表\\"},
        {"C:\\Program Files\\ソフト", "C:\\Program Files\\"},
        {"\\", "\\"},
        {"pok_v3.scr", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.path.substr(0, DirectoryLength(c.path, ShiftJisLead)), c.directory) << c.path;
    }
}

TEST(ModuleDirectoryCut, ByteWiseScanWouldCutInsideACharacter) {
    // The same path read without the lead-byte rule ends inside ソ: this is
    // the fault the forward scan exists to avoid.
    const std::string path = "C:\\ソフト";
    EXPECT_EQ(DirectoryLength(path, [](char) { return false; }), 5u);
    EXPECT_EQ(DirectoryLength(path, ShiftJisLead), 3u);
}

TEST(ModuleDirectoryCut, ALeadByteAtTheEndIsReadAlone) {
    const std::string path = std::string("C:\\a\\") + '\x83';
    EXPECT_EQ(DirectoryLength(path, ShiftJisLead), 5u);
}

}  // namespace
