// Any UTF-16 text as a command line (the input's bytes taken two at a time,
// low byte first): the scan and the handle reading must stay inside the text,
// never hit undefined behaviour, and agree with themselves.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/command_line.h"

namespace {

bool AsciiAlpha(wchar_t c) { return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z'); }

// Kana, kanji and half-width katakana are letters to IsCharAlphaW too.
bool JapaneseAlpha(wchar_t c) {
    return AsciiAlpha(c) || (c >= 0x3041 && c <= 0x30FA) || (c >= 0x4E00 && c <= 0x9FFF) ||
           (c >= 0xFF66 && c <= 0xFF9D);
}

void Check(bool condition) {
    if (!condition) std::abort();
}

void Scan(std::wstring_view text, LetterTest isAlpha) {
    const ModeLetterFind find = FindModeLetter(text, isAlpha);
    if (!find.found) {
        for (wchar_t c : text) Check(!isAlpha(c));
        return;
    }
    Check(find.position >= 1 && find.position <= text.size());
    Check(text[text.size() - find.position] == find.letter);
    Check(isAlpha(find.letter));
    for (std::size_t i = text.size() - find.position + 1; i < text.size(); ++i) Check(!isAlpha(text[i]));

    const std::wstring_view handleText = PreviewHandleText(text, find.position);
    Check(handleText.size() == (find.position > 2 ? find.position - 2 : 0));
    Check(handleText.empty() || handleText.data() + handleText.size() == text.data() + text.size());

    // Units after the number never change it: a blank ends the number text.
    Check(ParsePreviewHandle(std::wstring(handleText) + L" 9") == ParsePreviewHandle(handleText));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::wstring text;
    for (std::size_t i = 0; i + 1 < size; i += 2) text += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
    Scan(text, AsciiAlpha);
    Scan(text, JapaneseAlpha);

    // Plain decimal texts below 2^32 name exactly their value.
    if (!text.empty() && text.size() <= 9) {
        std::string digits;
        for (wchar_t c : text) digits += c >= L'0' && c <= L'9' ? static_cast<char>(c) : 'x';
        if (digits.find('x') == std::string::npos)
            Check(ParsePreviewHandle(text) == std::strtoul(digits.c_str(), nullptr, 10));
    }
    return 0;
}
