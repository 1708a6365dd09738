// A CompilerSwitches value as the profile functions give it back once it is written.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The blanks at both ends dropped, then one pair of matching quotes (single or double) around
// what is left. Everything the program compares with a stored value goes through this, so that
// a value it wrote itself is recognised when it is read again.
std::wstring AsReadBack(std::wstring_view written);

// A value narrowed to the IDE's ANSI code page, at most maxBytes of it, and widened again: what the
// IDE reads of a value, with the 511 bytes it reads. A parameter, so that the rules stay free of
// the system's code pages.
using CodePageTrip = std::wstring (*)(std::wstring_view value, std::size_t maxBytes);
