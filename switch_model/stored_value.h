// A CompilerSwitches value as the profile functions give it back once it is written.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// The blanks at both ends dropped, then one pair of matching quotes (single or double) around
// what is left. Everything the program compares with a stored value goes through this, so that
// a value it wrote itself is recognised when it is read again.
std::wstring AsReadBack(std::wstring_view written);

// What a written value is read back as by the IDE: AsReadBack, then the trip through the IDE's
// code page and its 511-byte read, which only the system knows.
using StoredForm = std::function<std::wstring(std::wstring_view written)>;
