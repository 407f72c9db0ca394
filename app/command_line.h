// How the command line chooses the mode. No windows.h here: the Win32 glue
// passes the platform's letter test in, so the rules run natively too.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

enum class Mode { None, Saver, Settings, Preview };

struct ModeLetterFind {
    bool found;             // false when no byte of the command line is alphabetic
    char letter;            // the byte itself, not yet lower-cased
    std::size_t position;   // counted from the end: 1 is the last byte
};

using ByteTest = bool (*)(char);

// The last alphabetic byte of the whole command line, program path included.
// Bytes are taken one at a time; double-byte characters get no special care.
ModeLetterFind FindModeLetter(std::string_view commandLine, ByteTest isAlpha);

// The preview handle text starts two bytes after the letter: the letter and
// the one byte after it (normally a blank or a colon) are skipped.
std::string_view PreviewHandleText(std::string_view commandLine, std::size_t position);

// Reads "[sign]digits[.digits]" from the very first byte (no blank skipped),
// rounds half to even and keeps the low 32 bits. A text beyond the 64-bit
// range names no window and gives 0.
std::uint32_t ParsePreviewHandle(std::string_view text);

// The lower-cased mode letters and what they open, tested in this order.
struct ModeLetterRow {
    char letter[2];
    Mode mode;
};
extern const ModeLetterRow ModeLetters[4];
