#include "toolchain_status.h"

#include <cstddef>

namespace {

// Positions count from 1; 0 means "not found".
std::size_t FindFrom(std::wstring_view text, wchar_t wanted, std::size_t start) {
    if (start == 0 || start > text.size())
        return 0;
    const std::size_t found = text.find(wanted, start - 1);
    return found == std::wstring_view::npos ? 0 : found + 1;
}

std::size_t FindLast(std::wstring_view text, wchar_t wanted) {
    const std::size_t found = text.rfind(wanted);
    return found == std::wstring_view::npos ? 0 : found + 1;
}

// A negative length runs to the end; a start beyond the end gives nothing.
std::wstring_view Piece(std::wstring_view text, std::size_t start, long long length) {
    if (start == 0 || start > text.size() || length == 0)
        return {};
    const std::wstring_view rest = text.substr(start - 1);
    return length < 0 ? rest : rest.substr(0, static_cast<std::size_t>(length));
}

long long Distance(std::size_t from, std::size_t to) {
    return static_cast<long long>(to) - static_cast<long long>(from) - 1;
}

// The first "-" followed by a digit; 0 without one.
std::size_t FindVersionDash(std::wstring_view text) {
    for (std::size_t at = 0; at + 1 < text.size(); ++at)
        if (text[at] == L'-' && text[at + 1] >= L'0' && text[at + 1] <= L'9')
            return at + 1;
    return 0;
}

// The first of the characters at or after start; 0 when there is none.
std::size_t FindAnyFrom(std::wstring_view text, std::wstring_view wanted, std::size_t start) {
    const std::size_t found = text.find_first_of(wanted, start - 1);
    return found == std::wstring_view::npos ? 0 : found + 1;
}

} // namespace

// A "-" above the toolchain's folder, as in C:\Users\Anne-Marie, does not begin the versions:
// they follow the first "-" before a digit, each within its folder. A path without one reads as
// it always has.
std::wstring ToolchainStatusText(std::wstring_view compilerPath) {
    const std::size_t version = FindVersionDash(compilerPath);
    const std::size_t i = version != 0 ? version : FindFrom(compilerPath, L'-', 1);
    const std::size_t k = FindLast(compilerPath, L'-');
    std::size_t j = FindFrom(compilerPath, L'-', i + 1);
    std::size_t m = FindFrom(compilerPath, L'\\', k + 1);
    if (version != 0) {
        j = FindAnyFrom(compilerPath, L"-\\/", i + 1);
        m = FindAnyFrom(compilerPath, L"\\/", k + 1);
    }

    std::wstring text = L" fbc ";
    text.append(Piece(compilerPath, i + 1, Distance(i, j)));
    text.append(L" / gcc ");
    text.append(Piece(compilerPath, k + 1, Distance(k, m)));
    return text;
}
