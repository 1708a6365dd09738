// Reading the number in an image keyword's "#number" text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The leading number of a text, as the runtime's numeric reader takes it: blanks skipped,
// decimal with sign, fraction and exponent, or "&H", "&O", "&B" with hexadecimal, octal or
// binary digits; reading stops at the first character that does not fit; no number is 0.
double ReadNumber(std::wstring_view text);

// The integer resource identifier a text names ("#" and a number), or none when the text
// itself is the resource name.
std::optional<std::uint16_t> ImageResourceNumber(std::wstring_view text);
