// Narrow text (the user's ANSI code page) to UTF-16 and back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A text the code page rejects falls back byte by byte: below 0x80 kept, any other byte "?".
std::wstring WidenAnsi(std::string_view narrow);
// Characters the code page lacks become their best fit, or "?" without one, as the profile
// functions store them. The result is cut to maxBytes without splitting a double-byte character.
std::string NarrowAnsi(std::wstring_view wide, std::size_t maxBytes);
