#include <gtest/gtest.h>

#include <string>

#include "app/command_line.h"

namespace {

// IsCharAlphaA on the ASCII range, which is all a command line's mode part holds.
bool AsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

struct LetterCase {
    const char* commandLine;
    char letter;
    std::size_t position;
};

TEST(ModeLetter, IsTheLastAlphabeticByteWhateverFollowsIt) {
    const LetterCase cases[] = {
        {"\"C:\\Windows\\pok_v3.scr\" /s", 's', 1},
        {"\"C:\\Windows\\pok_v3.scr\" /S", 'S', 1},
        {"\"C:\\Windows\\pok_v3.scr\" -s", 's', 1},
        {"s", 's', 1},
        {"\"C:\\Windows\\pok_v3.scr\" /s ", 's', 2},
        {"\"C:\\Windows\\pok_v3.scr\" /s:", 's', 2},
        {"\"C:\\Windows\\pok_v3.scr\" /s 123", 's', 5},
        {"C:\\pok_v3.scr /c:1234", 'c', 6},
        {"C:\\pok_v3.scr /C", 'C', 1},
        // The path alone: the extension's last letter decides.
        {"\"C:\\Windows\\pok_v3.scr\"", 'r', 2},
        {"C:\\Windows\\pok_v3.scr", 'r', 1},
        {"C:\\Windows\\pok_v3.exe", 'e', 1},
        // A letter in the path never wins over a later one.
        {"\"C:\\ソフト\\pok_v3.scr\" /s 5", 's', 3},
        {"/p 1234", 'p', 6},
        {"/a", 'a', 1},
        {"x", 'x', 1},
        // Found at the very first byte: the position is the whole length.
        {"p:12", 'p', 4},
    };
    for (const LetterCase& c : cases) {
        const ModeLetterFind find = FindModeLetter(c.commandLine, AsciiAlpha);
        EXPECT_TRUE(find.found) << c.commandLine;
        EXPECT_EQ(find.letter, c.letter) << c.commandLine;
        EXPECT_EQ(find.position, c.position) << c.commandLine;
    }
}

TEST(ModeLetter, CommandLineWithoutAnyLetterFindsNothing) {
    for (const char* commandLine : {"", "1", "/", "123 456", "\"\" / : -"}) {
        EXPECT_FALSE(FindModeLetter(commandLine, AsciiAlpha).found) << '"' << commandLine << '"';
    }
}

struct HandleCase {
    std::string commandLine;
    std::uint32_t handle;
};

std::uint32_t HandleOf(const std::string& commandLine) {
    const ModeLetterFind find = FindModeLetter(commandLine, AsciiAlpha);
    EXPECT_TRUE(find.found && (find.letter == 'p' || find.letter == 'P')) << commandLine;
    return ParsePreviewHandle(PreviewHandleText(commandLine, find.position));
}

TEST(PreviewHandle, StartsTwoBytesAfterTheLetter) {
    const HandleCase cases[] = {
        {"C:\\pok_v3.scr /p 1234", 1234},
        {"C:\\pok_v3.scr /p:1234", 1234},
        {"C:\\pok_v3.scr /P 1234", 1234},
        {"C:\\pok_v3.scr /p1234", 234},     // one byte after the letter is always skipped
        {"C:\\pok_v3.scr /p  1234", 0},     // the number may not start with a blank
        {"C:\\pok_v3.scr /p", 0},           // letter last: empty text
        {"C:\\pok_v3.scr /p ", 0},          // letter next-to-last: empty text
        {"C:\\pok_v3.scr /p 1", 1},
        {"C:\\pok_v3.scr /p 12:34", 12},    // the first byte that does not fit ends it
        {"C:\\pok_v3.scr /p 1234 ", 1234},
    };
    for (const HandleCase& c : cases) EXPECT_EQ(HandleOf(c.commandLine), c.handle) << c.commandLine;
}

TEST(PreviewHandle, NumberTextRoundsHalfToEvenAndKeepsLow32Bits) {
    const HandleCase cases[] = {
        {"1234", 1234},
        {"1234.5", 1234},
        {"1235.5", 1236},
        {"1234.6", 1235},
        {"1234.4999", 1234},
        {"0.5", 0},
        {"1.5", 2},
        {".5", 0},
        {".6", 1},
        {"7.", 7},
        {"+7", 7},
        {"-7", 0xFFFFFFF9u},
        {"-2.5", 0xFFFFFFFEu},
        {"-0.4", 0},
        {"4294967295", 0xFFFFFFFFu},
        {"4294967297", 1},
        {"", 0},
        {"-", 0},
        {"+", 0},
        {".", 0},
        {" 12", 0},
        {"--1", 0},
        {"+-1", 0},
        {"12.3.4", 12},
        {"0012", 12},
    };
    for (const HandleCase& c : cases) EXPECT_EQ(ParsePreviewHandle(c.commandLine), c.handle) << '"' << c.commandLine << '"';
}

TEST(PreviewHandle, TextBeyondTheSixtyFourBitRangeNamesNoWindow) {
    const std::string hundreds(400, '9');
    const std::string tinyFraction = "0." + std::string(500, '0') + "1";
    const std::string longFraction = "1." + std::string(500, '0') + "1";
    const HandleCase cases[] = {
        {hundreds, 0},
        {"-" + hundreds, 0},
        {hundreds + "." + hundreds, 0},
        {"18446744073709551616", 0},   // 2^64
        {"9223372036854775808", 0},    // 2^63
        {"-9223372036854775809", 0},
        {"9223372036854774784", 0xFFFFFC00u},  // the largest double below 2^63
        {tinyFraction, 0},
        {longFraction, 1},
        {"5." + std::string(300, '5'), 6},
    };
    for (const HandleCase& c : cases) EXPECT_EQ(ParsePreviewHandle(c.commandLine), c.handle) << c.commandLine.substr(0, 40);
}

TEST(PreviewHandle, TextOffsetNeverReachesOutsideTheCommandLine) {
    EXPECT_EQ(PreviewHandleText("/p 12", 4), "12");
    EXPECT_EQ(PreviewHandleText("/p 12", 2), "");
    EXPECT_EQ(PreviewHandleText("/p 12", 1), "");
    EXPECT_EQ(PreviewHandleText("/p 12", 99), "");
    EXPECT_EQ(PreviewHandleText("", 3), "");
}

}  // namespace
