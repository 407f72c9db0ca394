#include "settings/settings_text.h"

#include <charconv>

namespace {

template <typename Integer>
DecimalText Decimal(Integer value) {
    DecimalText result{};
    auto end = std::to_chars(result.text, result.text + sizeof result.text - 1, value).ptr;
    *end = '\0';
    return result;
}

}  // namespace

DecimalText SignedDecimal(std::int32_t value) { return Decimal(value); }
DecimalText UnsignedDecimal(std::uint32_t value) { return Decimal(value); }

std::size_t DirectoryLength(std::string_view path, bool (*isLeadByte)(char)) {
    std::size_t length = 0;
    for (std::size_t at = 0; at < path.size();) {
        if (isLeadByte(path[at]) && at + 1 < path.size()) {
            at += 2;
            continue;
        }
        if (path[at] == '\\') length = at + 1;
        ++at;
    }
    return length;
}
