#include "number_reader.h"

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

// A decimal number as its digits and the power of ten that scales them: digits × 10^scale.
struct Decimal {
    bool negative = false;
    std::wstring digits;
    long long scale = 0;
};

// The longest prefix that forms a decimal number: sign, digits, a fraction and an exponent.
std::optional<Decimal> ReadDecimal(Text text) {
    Decimal number;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-'))
        number.negative = text[at++] == L'-';
    std::size_t end = SkipDigits(text, at);
    number.digits = text.substr(at, end - at);
    if (end < text.size() && text[end] == L'.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        number.digits += text.substr(end + 1, fractionEnd - end - 1);
        number.scale = -static_cast<long long>(fractionEnd - end - 1);
        end = fractionEnd;
    }
    if (number.digits.empty())
        return std::nullopt;
    if (end < text.size() && (text[end] == L'e' || text[end] == L'E')) {
        std::size_t exponent = end + 1;
        const bool down = exponent < text.size() && text[exponent] == L'-';
        if (exponent < text.size() && (text[exponent] == L'+' || text[exponent] == L'-'))
            ++exponent;
        long long power = 0;
        for (; exponent < text.size() && IsDigit(text[exponent]); ++exponent)
            power = std::min(power * 10 + (text[exponent] - L'0'), 1'000'000'000LL);
        number.scale += down ? -power : power;
    }
    return number;
}

// The nearest integer, halves to the even one, as the runtime rounds.
Low16 NearestInteger(const Decimal& number) {
    const long long kept =
        static_cast<long long>(number.digits.size()) + std::min(0LL, number.scale);
    Low16 value = 0;
    for (long long i = 0; i < kept; ++i)
        value =
            static_cast<Low16>(value * 10 + (number.digits[static_cast<std::size_t>(i)] - L'0'));
    for (long long i = 0; i < std::min(number.scale, 16LL); ++i) // 10^16 is a multiple of 2^16
        value = static_cast<Low16>(value * 10);
    if (number.scale >= 16)
        value = 0;
    const std::wstring_view dropped =
        kept < 0 ? std::wstring_view(number.digits)
                 : std::wstring_view(number.digits).substr(static_cast<std::size_t>(kept));
    const bool half = kept >= 0 && !dropped.empty() && dropped[0] == L'5' &&
                      dropped.find_first_not_of(L'0', 1) == std::wstring_view::npos;
    const bool up = kept >= 0 && !dropped.empty() && dropped[0] >= L'5' && (!half || value % 2);
    return static_cast<Low16>(up ? value + 1 : value);
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
    const std::optional<Decimal> number = ReadDecimal(text);
    if (!number)
        return std::uint16_t{0};
    const Low16 low = NearestInteger(*number);
    // Negative numbers in two's complement.
    return static_cast<std::uint16_t>(number->negative ? -low : low);
}
