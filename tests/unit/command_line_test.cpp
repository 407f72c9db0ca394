#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"

namespace {

// IsCharAlphaW on what these command lines hold: ASCII letters, kana and
// kanji are letters; digits of either width, surrogates and marks are not.
bool Letter(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= 0x3041 && c <= 0x30FA) ||
           (c >= 0x4E00 && c <= 0x9FFF);
}

TEST(ModeLetter, IsTheLastAlphabeticUnitWhateverFollowsIt) {
    const struct { const wchar_t* commandLine; wchar_t letter; std::size_t position; } cases[] = {
        {L"\"C:\\Windows\\pok_v3.scr\" /s", L's', 1},
        {L"\"C:\\Windows\\pok_v3.scr\" /S", L'S', 1},
        {L"\"C:\\Windows\\pok_v3.scr\" -s", L's', 1},
        {L"s", L's', 1},
        {L"\"C:\\Windows\\pok_v3.scr\" /s ", L's', 2},
        {L"\"C:\\Windows\\pok_v3.scr\" /s:", L's', 2},
        {L"\"C:\\Windows\\pok_v3.scr\" /s 123", L's', 5},
        {L"C:\\pok_v3.scr /c:1234", L'c', 6},
        {L"C:\\pok_v3.scr /C", L'C', 1},
        // The path alone: the extension's last letter decides.
        {L"\"C:\\Windows\\pok_v3.scr\"", L'r', 2},
        {L"C:\\Windows\\pok_v3.scr", L'r', 1},
        {L"C:\\Windows\\pok_v3.exe", L'e', 1},
        // A letter in the path never wins over a later one.
        {L"\"C:\\ソフト\\pok_v3.scr\" /s 5", L's', 3},
        // Positions count UTF-16 units: a character beyond the BMP is two.
        {L"\"C:\\pok_v3.scr\" /s \xD83D\xDC15", L's', 4},
        {L"C:\\犬小屋\\いぬ", L'ぬ', 1},
        {L"/p 1234", L'p', 6},
        {L"/a", L'a', 1},
        {L"x", L'x', 1},
        // Found at the very first unit: the position is the whole length.
        {L"p:12", L'p', 4},
    };
    for (const auto& c : cases) {
        const ModeLetterFind find = FindModeLetter(c.commandLine, Letter);
        EXPECT_TRUE(find.found) << testing::PrintToString(c.commandLine);
        EXPECT_EQ(find.letter, c.letter) << testing::PrintToString(c.commandLine);
        EXPECT_EQ(find.position, c.position) << testing::PrintToString(c.commandLine);
    }
}

TEST(ModeLetter, CommandLineWithoutAnyLetterFindsNothing) {
    for (const wchar_t* commandLine : {L"", L"1", L"/", L"123 456", L"\"\" / : -", L"１２ \xD83D\xDC15"})
        EXPECT_FALSE(FindModeLetter(commandLine, Letter).found) << testing::PrintToString(commandLine);
}

struct HandleCase { std::wstring commandLine; std::uint32_t handle; };

std::uint32_t HandleOf(const std::wstring& commandLine) {
    const ModeLetterFind find = FindModeLetter(commandLine, Letter);
    EXPECT_TRUE(find.found && (find.letter == L'p' || find.letter == L'P')) << testing::PrintToString(commandLine);
    return ParsePreviewHandle(PreviewHandleText(commandLine, find.position));
}

TEST(PreviewHandle, StartsTwoUnitsAfterTheLetter) {
    const HandleCase cases[] = {
        {L"C:\\pok_v3.scr /p 1234", 1234},
        {L"C:\\pok_v3.scr /p:1234", 1234},
        {L"C:\\pok_v3.scr /P 1234", 1234},
        {L"C:\\pok_v3.scr /p1234", 234},     // one unit after the letter is always skipped
        {L"C:\\pok_v3.scr /p  1234", 0},     // the number may not start with a blank
        {L"C:\\pok_v3.scr /p", 0},           // letter last: empty text
        {L"C:\\pok_v3.scr /p ", 0},          // letter next-to-last: empty text
        {L"C:\\pok_v3.scr /p 1", 1},
        {L"C:\\pok_v3.scr /p 12:34", 12},    // the first unit that does not fit ends it
        {L"C:\\pok_v3.scr /p 1234 ", 1234},
        {L"C:\\犬小屋\\pok_v3.scr /p 1234", 1234},
        {L"C:\\pok_v3.scr /p\xD83D\xDC15 1234", 0},  // only the first of the two units is skipped
    };
    for (const HandleCase& c : cases) EXPECT_EQ(HandleOf(c.commandLine), c.handle) << testing::PrintToString(c.commandLine);
}

TEST(PreviewHandle, NumberTextRoundsHalfToEvenKeepsLow32BitsAndNamesNoWindowBeyondSixtyFour) {
    const std::wstring hundreds(400, L'9');
    const HandleCase cases[] = {
        {L"1234", 1234},
        {L"1234.5", 1234},
        {L"1235.5", 1236},
        {L"1234.6", 1235},
        {L"1234.4999", 1234},
        {L"0.5", 0},
        {L"1.5", 2},
        {L".5", 0},
        {L".6", 1},
        {L"7.", 7},
        {L"+7", 7},
        {L"-7", 0xFFFFFFF9u},
        {L"-2.5", 0xFFFFFFFEu},
        {L"-0.4", 0},
        {L"4294967295", 0xFFFFFFFFu},
        {L"4294967297", 1},
        {L"", 0},
        {L"-", 0},
        {L"+", 0},
        {L".", 0},
        {L" 12", 0},
        {L"--1", 0},
        {L"+-1", 0},
        {L"12.3.4", 12},
        {L"0012", 12},
        {L"１２", 0},   // full-width digits are not decimal digits
        {L"1２", 1},
        // Beyond the 64-bit range.
        {hundreds, 0},
        {L"-" + hundreds, 0},
        {hundreds + L"." + hundreds, 0},
        {L"18446744073709551616", 0},   // 2^64
        {L"9223372036854775808", 0},    // 2^63
        {L"-9223372036854775809", 0},
        {L"9223372036854774784", 0xFFFFFC00u},  // the largest double below 2^63
        {L"0." + std::wstring(500, L'0') + L"1", 0},
        {L"1." + std::wstring(500, L'0') + L"1", 1},
        {L"5." + std::wstring(300, L'5'), 6},
    };
    for (const HandleCase& c : cases)
        EXPECT_EQ(ParsePreviewHandle(c.commandLine), c.handle) << testing::PrintToString(c.commandLine.substr(0, 40));
}

TEST(PreviewHandle, TextOffsetNeverReachesOutsideTheCommandLine) {
    EXPECT_EQ(PreviewHandleText(L"/p 12", 4), L"12");
    EXPECT_EQ(PreviewHandleText(L"/p 12", 2), L"");
    EXPECT_EQ(PreviewHandleText(L"/p 12", 1), L"");
    EXPECT_EQ(PreviewHandleText(L"/p 12", 99), L"");
    EXPECT_EQ(PreviewHandleText(L"", 3), L"");
}

}  // namespace
