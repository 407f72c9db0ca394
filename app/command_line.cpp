#include "app/command_line.h"

#include <charconv>
#include <cmath>
#include <string>

const ModeLetterRow ModeLetters[4] = {
    {L"s", Mode::Saver},
    {L"c", Mode::Settings},
    {L"r", Mode::Settings},
    {L"p", Mode::Preview},
};

ModeLetterFind FindModeLetter(std::wstring_view commandLine, LetterTest isAlpha) {
    const std::size_t length = commandLine.size();
    if (length == 0) return {false, 0, 0};
    for (std::size_t i = 1;; ++i) {
        // Past the start the candidate stays the first unit; once that has
        // been looked at there is nothing left to find.
        const std::size_t index = i >= length ? 0 : length - i;
        if (isAlpha(commandLine[index])) return {true, commandLine[index], i};
        if (i >= length) return {false, 0, 0};
    }
}

std::wstring_view PreviewHandleText(std::wstring_view commandLine, std::size_t position) {
    if (position <= 2 || position > commandLine.size()) return {};
    return commandLine.substr(commandLine.size() - (position - 2));
}

namespace {

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::size_t SkipDigits(std::wstring_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) ++at;
    return at;
}

}  // namespace

std::uint32_t ParsePreviewHandle(std::wstring_view text) {
    std::size_t at = 0;
    bool negative = false;
    if (at < text.size() && (text[at] == L'-' || text[at] == L'+')) {
        negative = text[at] == L'-';
        ++at;
    }
    const std::size_t numberStart = at;
    at = SkipDigits(text, at);
    bool anyDigit = at > numberStart;
    if (at < text.size() && text[at] == L'.') {
        const std::size_t fractionEnd = SkipDigits(text, at + 1);
        anyDigit = anyDigit || fractionEnd > at + 1;
        at = fractionEnd;
    }
    if (!anyDigit) return 0;

    // from_chars reads any number of digits exactly and reports values that a
    // double cannot hold instead of turning them into infinity. What it reads
    // is ASCII digits and one dot, checked above, so each unit narrows as is.
    std::string number;
    for (const wchar_t c : text.substr(numberStart, at - numberStart)) number += static_cast<char>(c);
    if (number.back() == '.') number.pop_back();
    if (number.front() == '.') number.insert(number.begin(), '0');
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error != std::errc() || end != number.data() + number.size()) return 0;

    const double rounded = std::nearbyint(negative ? -value : value);  // ties to even
    constexpr double Limit = 9223372036854775808.0;                   // 2^63
    if (!(rounded >= -Limit && rounded < Limit)) return 0;
    return static_cast<std::uint32_t>(static_cast<std::uint64_t>(static_cast<std::int64_t>(rounded)));
}
