#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "settings/settings_text.h"

namespace {

TEST(SettingsText, ValuesAreWrittenAsPlainDecimal) {
    const struct { std::int32_t value; const wchar_t* text; } signedCases[] = {
        {16777088, L"16777088"}, {0, L"0"}, {-1, L"-1"}, {16777215, L"16777215"},
        {INT32_MAX, L"2147483647"}, {INT32_MIN, L"-2147483648"}, {7, L"7"},
    };
    for (const auto& c : signedCases) EXPECT_STREQ(SignedDecimal(c.value).text, c.text);

    const struct { std::uint32_t value; const wchar_t* text; } unsignedCases[] = {
        {25, L"25"}, {0, L"0"}, {50, L"50"}, {100, L"100"}, {4294967295u, L"4294967295"}, {2147483648u, L"2147483648"},
    };
    for (const auto& c : unsignedCases) EXPECT_STREQ(UnsignedDecimal(c.value).text, c.text);
}

TEST(ModuleDirectoryCut, KeepsEverythingUpToTheLastBackslash) {
    const struct { std::wstring path; std::wstring directory; } cases[] = {
        {L"C:\\Windows\\System32\\pok_v3.scr", L"C:\\Windows\\System32\\"},
        {L"C:\\pok_v3.scr", L"C:\\"},
        // 小 (U+5C0F) and 屋 (U+5C4B) carry the backslash's byte in their
        // code units; ソ carried it as its Shift-JIS trail byte.
        {L"C:\\犬小屋\\pok_v3.scr", L"C:\\犬小屋\\"},
        {L"C:\\ソフト\\表示.scr", L"C:\\ソフト\\"},
        {L"C:\\Program Files\\ソフト", L"C:\\Program Files\\"},
        {L"C:\\\xD83D\xDC15\\pok_v3.scr", L"C:\\\xD83D\xDC15\\"},
        {L"\\\\?\\C:\\a\\pok_v3.scr", L"\\\\?\\C:\\a\\"},
        {L"\\", L"\\"},
        {L"pok_v3.scr", L""},
        {L"", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.path.substr(0, DirectoryLength(c.path)), c.directory) << testing::PrintToString(c.path);
}

// The module's path as a stand-in for the system holds it, answered as the
// oldest systems answer a short buffer: every unit filled, no NUL, the size.
std::wstring modulePath;
std::uint32_t FakeModuleFileName(wchar_t* buffer, std::uint32_t size) {
    const std::uint32_t length = static_cast<std::uint32_t>(std::min<std::size_t>(modulePath.size(), size));
    std::copy_n(modulePath.begin(), length, buffer);
    if (length < size) buffer[length] = L'\0';
    return length;
}

TEST(ModulePath, ComesWholeOrNotAtAllNeverCut) {
    const struct { std::size_t length; bool whole; } cases[] = {
        {20, true},
        {259, true},      // fits MAX_PATH with its NUL
        {260, true},      // fills it: asked again in a larger buffer
        {1000, true},
        {32767, true},    // the longest the system makes
        {32768, false},   // still cut in the largest buffer: no path rather than a wrong one
        {0, false},       // the system could not say
    };
    for (const auto& c : cases) {
        modulePath = c.length ? L"C:\\" + std::wstring(c.length - 3, L'犬') : L"";
        const std::wstring path = WholePath(FakeModuleFileName);
        EXPECT_EQ(path.size(), c.whole ? c.length : 0u) << "units of a path of " << c.length;
        EXPECT_TRUE(path.empty() || path == modulePath) << "a path given must be the module's own";
    }
}

}  // namespace
