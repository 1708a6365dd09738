#include "number_reader.h"

#include <cmath>
#include <cwchar>
#include <string>

namespace {

using Text = std::wstring_view;

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t';
}
bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

int DigitValue(wchar_t c) {
    if (IsDigit(c))
        return c - L'0';
    if (c >= L'a' && c <= L'z')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'Z')
        return c - L'A' + 10;
    return 99;
}

int RadixOf(wchar_t letter) {
    switch (letter) {
    case L'H':
    case L'h':
        return 16;
    case L'O':
    case L'o':
        return 8;
    case L'B':
    case L'b':
        return 2;
    default:
        return 0;
    }
}

// Everything is counted modulo 2^16, the identifier's width, so no number is too long.
using Low16 = std::uint16_t;

// "&H1F" and its kind; the digits wrap as the runtime's unsigned reader does.
Low16 ReadRadixNumber(Text digits, int radix) {
    Low16 value = 0;
    for (wchar_t c : digits) {
        const int digit = DigitValue(c);
        if (digit >= radix)
            break;
        value = static_cast<Low16>(value * radix + digit);
    }
    return value;
}

std::size_t SkipDigits(Text text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at;
}

// The length of the longest prefix that forms a decimal number as the runtime's reader takes it:
// sign, digits, a fraction and an exponent; 0 when there is none. What the C library would read
// beyond it ("0x", "inf") the runtime does not.
std::size_t DecimalLength(Text text) {
    std::size_t at = text.empty() || (text[0] != L'+' && text[0] != L'-') ? 0 : 1;
    const std::size_t digits = at;
    at = SkipDigits(text, at);
    bool any = at > digits;
    if (at < text.size() && text[at] == L'.') {
        const std::size_t fraction = SkipDigits(text, at + 1);
        any = any || fraction > at + 1;
        at = fraction;
    }
    if (!any)
        return 0;
    if (at < text.size() && (text[at] == L'e' || text[at] == L'E')) {
        const std::size_t sign =
            at + 1 < text.size() && (text[at + 1] == L'+' || text[at + 1] == L'-') ? 1 : 0;
        const std::size_t exponent = SkipDigits(text, at + 1 + sign);
        if (exponent > at + 1 + sign)
            at = exponent;
    }
    return at;
}

} // namespace

std::optional<std::uint16_t> ImageResourceNumber(Text text) {
    if (text.empty() || text[0] != L'#')
        return std::nullopt;
    text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    if (text.size() >= 2 && text[0] == L'&') {
        const int radix = RadixOf(text[1]);
        return radix == 0 ? 0 : ReadRadixNumber(text.substr(2), radix);
    }
    // Converted by the C library and rounded to the nearest integer, halves to even; its low 16
    // bits, negative numbers in two's complement, as fmod keeps them exactly.
    const std::wstring number(text.substr(0, DecimalLength(text)));
    const double value = std::nearbyint(std::wcstod(number.c_str(), nullptr));
    if (!std::isfinite(value))
        return std::uint16_t{0};
    return static_cast<std::uint16_t>(static_cast<std::int32_t>(std::fmod(value, 65536.0)));
}
