#include "stored_value.h"

namespace {

// What the profile functions drop at a value's ends: the blanks, the line-end characters and
// the DOS end-of-file byte.
constexpr std::wstring_view kDroppedAtEnds = L" \t\v\f\r\n\x1A";

bool IsQuote(wchar_t c) {
    return c == L'"' || c == L'\'';
}

} // namespace

std::wstring AsReadBack(std::wstring_view written) {
    const std::size_t first = written.find_first_not_of(kDroppedAtEnds);
    if (first == std::wstring_view::npos)
        return {};
    std::wstring_view value =
        written.substr(first, written.find_last_not_of(kDroppedAtEnds) - first + 1);
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::wstring(value);
}
