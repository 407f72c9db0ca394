#include "settings/settings_text.h"

#include <algorithm>
#include <charconv>

namespace {

template <typename Integer>
DecimalText Decimal(Integer value) {
    char digits[12] = {};
    std::to_chars(digits, digits + sizeof digits - 1, value);
    DecimalText result{};
    std::copy(digits, digits + sizeof digits, result.text);
    return result;
}

}  // namespace

DecimalText SignedDecimal(std::int32_t value) { return Decimal(value); }
DecimalText UnsignedDecimal(std::uint32_t value) { return Decimal(value); }

std::size_t DirectoryLength(std::wstring_view path) {
    const std::size_t backslash = path.rfind(L'\\');
    return backslash == std::wstring_view::npos ? 0 : backslash + 1;
}

std::wstring WholePath(PathFetch fetch) {
    std::uint32_t size = 260;  // MAX_PATH: almost every path fits at once
    for (;;) {
        std::wstring buffer(size, L'\0');
        const std::uint32_t length = fetch(buffer.data(), size);
        if (length == 0) return {};
        if (length < size) return buffer.substr(0, length);
        if (size > LongestPath) return {};
        size = std::min(size * 2, LongestPath + 1);
    }
}
