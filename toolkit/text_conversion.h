// Narrow text (the user's ANSI code page) to UTF-16 and back.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

std::wstring WidenAnsi(std::string_view narrow);
// Characters the code page lacks become "?". The result is cut to maxBytes without splitting
// a double-byte character.
std::string NarrowAnsi(std::wstring_view wide, std::size_t maxBytes);
