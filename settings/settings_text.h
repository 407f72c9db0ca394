// The text side of the settings file, without windows.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// Plain decimal text of a value: "-" only for negatives, no leading zeros.
struct DecimalText {
    char text[12];
};
DecimalText SignedDecimal(std::int32_t value);
DecimalText UnsignedDecimal(std::uint32_t value);

// Length of the directory part of a path, its last backslash included. The
// scan walks forward so that the second byte of a double-byte character is
// never taken for a backslash; 0 when the path holds no backslash.
std::size_t DirectoryLength(std::string_view path, bool (*isLeadByte)(char));
