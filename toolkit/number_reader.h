// Reading the number in an image keyword's "#number" text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The integer resource identifier a text names ("#" and a number), or none when the text itself
// is the resource name. The number is read as the runtime's numeric reader takes it: blanks
// skipped, decimal with sign, fraction and exponent, or "&H", "&O", "&B" with hexadecimal, octal
// or binary digits; reading stops at the first character that does not fit; no number is 0. The
// identifier is the low 16 bits of its nearest integer.
std::optional<std::uint16_t> ImageResourceNumber(std::wstring_view text);
