// The text side of the settings file, without windows.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Plain decimal text of a value: "-" only for negatives, no leading zeros;
// ASCII characters in wide form, for the profile functions.
struct DecimalText {
    wchar_t text[12];
};
DecimalText SignedDecimal(std::int32_t value);
DecimalText UnsignedDecimal(std::uint32_t value);

// Length of the directory part of a path, its last backslash included; 0 when
// the path holds no backslash.
std::size_t DirectoryLength(std::wstring_view path);

// Asks like GetModuleFileNameW: fills at most size units, the NUL included,
// and answers the units written without the NUL; size when the path was cut.
using PathFetch = std::uint32_t (*)(wchar_t* buffer, std::uint32_t size);

// The longest path the system can hand out, in units without the NUL.
constexpr std::uint32_t LongestPath = 32767;

// The whole path, asked again in a larger buffer as long as it comes back
// cut; empty if it fails or is still cut at LongestPath, never a shortened
// path that would name another file.
std::wstring WholePath(PathFetch fetch);
