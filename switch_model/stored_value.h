// A CompilerSwitches value as the profile functions give it back once it is written.
#pragma once

#include <string>
#include <string_view>

// The blanks at both ends dropped, then one pair of matching quotes (single or double) around
// what is left. Everything the program compares with a stored value goes through this, so that
// a value it wrote itself is recognised when it is read again.
std::wstring AsReadBack(std::wstring_view written);
