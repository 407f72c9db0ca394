// Any bytes as a command line: the scan and the handle reading must stay
// inside the text, never hit undefined behaviour, and agree with themselves.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/command_line.h"

namespace {

bool AsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Half-width katakana are letters in code page 932 too.
bool ShiftJisAlpha(char c) {
    const auto b = static_cast<unsigned char>(c);
    return AsciiAlpha(c) || (b >= 0xA6 && b <= 0xDF);
}

void Check(bool condition) {
    if (!condition) std::abort();
}

void Scan(std::string_view text, ByteTest isAlpha) {
    const ModeLetterFind find = FindModeLetter(text, isAlpha);
    if (!find.found) {
        for (char c : text) Check(!isAlpha(c));
        return;
    }
    Check(find.position >= 1 && find.position <= text.size());
    Check(text[text.size() - find.position] == find.letter);
    Check(isAlpha(find.letter));
    for (std::size_t i = text.size() - find.position + 1; i < text.size(); ++i) Check(!isAlpha(text[i]));

    const std::string_view handleText = PreviewHandleText(text, find.position);
    Check(handleText.size() == (find.position > 2 ? find.position - 2 : 0));
    Check(handleText.empty() || handleText.data() + handleText.size() == text.data() + text.size());
    const std::uint32_t handle = ParsePreviewHandle(handleText);

    // Bytes after the number never change it: a blank ends the number text.
    std::string extended(handleText);
    extended += " 9";
    Check(ParsePreviewHandle(extended) == handle);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Scan(text, AsciiAlpha);
    Scan(text, ShiftJisAlpha);

    // Plain decimal texts below 2^32 name exactly their value.
    if (size > 0 && size <= 9) {
        bool digits = true;
        for (char c : text) digits = digits && c >= '0' && c <= '9';
        if (digits) Check(ParsePreviewHandle(text) == std::strtoul(std::string(text).c_str(), nullptr, 10));
    }
    return 0;
}
