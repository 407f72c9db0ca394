// How the command line chooses the mode. No windows.h here: the Win32 glue
// passes the platform's letter test in, so the rules run natively too.
// Text is UTF-16 code units as GetCommandLineW gives them (wchar_t holds one
// unit on every platform the rules build for).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class Mode { None, Saver, Settings, Preview };

struct ModeLetterFind {
    bool found;             // false when no unit of the command line is alphabetic
    wchar_t letter;         // the unit itself, not yet lower-cased
    std::size_t position;   // counted from the end: 1 is the last unit
};

using LetterTest = bool (*)(wchar_t);

// The last alphabetic unit of the whole command line, program path included.
// Units are taken one at a time: a surrogate is never a letter, so a
// character outside the BMP is stepped over like any other non-letter.
ModeLetterFind FindModeLetter(std::wstring_view commandLine, LetterTest isAlpha);

// The preview handle text starts two units after the letter: the letter and
// the one unit after it (normally a blank or a colon) are skipped.
std::wstring_view PreviewHandleText(std::wstring_view commandLine, std::size_t position);

// Reads "[sign]digits[.digits]" (ASCII only) from the very first unit (no
// blank skipped), rounds half to even and keeps the low 32 bits. A text
// beyond the 64-bit range names no window and gives 0.
std::uint32_t ParsePreviewHandle(std::wstring_view text);

// The lower-cased mode letters and what they open, tested in this order.
struct ModeLetterRow {
    wchar_t letter[2];
    Mode mode;
};
extern const ModeLetterRow ModeLetters[4];
