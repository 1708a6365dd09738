#include "number_reader.h"

#include <cmath>
#include <cstdlib>
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

// "&H1F" and its kind; the digits wrap at 64 bits as the runtime's unsigned reader does.
double ReadRadixNumber(Text digits, int radix) {
    std::uint64_t value = 0;
    for (wchar_t c : digits) {
        const int digit = DigitValue(c);
        if (digit >= radix)
            break;
        value = value * static_cast<unsigned>(radix) + static_cast<unsigned>(digit);
    }
    return static_cast<double>(value);
}

std::size_t SkipDigits(Text text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at;
}

std::size_t SkipSign(Text text, std::size_t at) {
    return at < text.size() && (text[at] == L'+' || text[at] == L'-') ? at + 1 : at;
}

// Length of the longest prefix that forms a decimal number; 0 when there is none.
std::size_t DecimalLength(Text text) {
    const std::size_t signEnd = SkipSign(text, 0);
    std::size_t end = SkipDigits(text, signEnd);
    bool anyDigit = end > signEnd;
    if (end < text.size() && text[end] == L'.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        anyDigit = anyDigit || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!anyDigit)
        return 0;
    if (end < text.size() && (text[end] == L'e' || text[end] == L'E')) {
        const std::size_t exponentSign = SkipSign(text, end + 1);
        const std::size_t exponentEnd = SkipDigits(text, exponentSign);
        if (exponentEnd > exponentSign)
            end = exponentEnd;
    }
    return end;
}

double ReadDecimalNumber(Text text) {
    const std::size_t length = DecimalLength(text);
    if (length == 0)
        return 0.0;
    const std::string ascii(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
    return std::strtod(ascii.c_str(), nullptr);
}

} // namespace

double ReadNumber(Text text) {
    std::size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    text.remove_prefix(start);
    if (text.size() >= 2 && text[0] == L'&') {
        const int radix = RadixOf(text[1]);
        return radix == 0 ? 0.0 : ReadRadixNumber(text.substr(2), radix);
    }
    return ReadDecimalNumber(text);
}

std::optional<std::uint16_t> ImageResourceNumber(Text text) {
    if (text.empty() || text[0] != L'#')
        return std::nullopt;
    const double number = ReadNumber(text.substr(1));
    if (!std::isfinite(number))
        return std::uint16_t{0};
    // The low 16 bits of the nearest integer, negative numbers in two's complement.
    const double low = std::fmod(std::nearbyint(number), 65536.0);
    return static_cast<std::uint16_t>(static_cast<std::int32_t>(low) & 0xFFFF);
}
