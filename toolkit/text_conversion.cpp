#include "text_conversion.h"

#include <windows.h>

#include <climits>

namespace {

// Bytes below 0x80 copied, every other byte "?", when the code page rejects the text.
std::wstring WidenByteByByte(std::string_view narrow) {
    std::wstring wide;
    wide.reserve(narrow.size());
    for (const char c : narrow)
        wide.push_back(static_cast<unsigned char>(c) < 0x80 ? static_cast<wchar_t>(c) : L'?');
    return wide;
}

// As the profile functions store a value in an ANSI file: a character the code page lacks
// becomes its best fit where the code page has one (measured under Wine: U+0142 is stored as
// "l"), else "?". A UTF-8 code page takes neither default character nor flag, and lacks nothing.
int ToNarrow(std::wstring_view wide, char* out, int outBytes) {
    const int units = static_cast<int>(wide.size());
    if (GetACP() == CP_UTF8)
        return WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, out, outBytes, nullptr, nullptr);
    BOOL usedDefault = FALSE;
    return WideCharToMultiByte(CP_ACP, 0, wide.data(), units, out, outBytes, "?", &usedDefault);
}

bool IsHighSurrogate(wchar_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

// The longest run of whole characters from the start that narrows to at most maxBytes.
std::size_t UnitsFitting(std::wstring_view wide, std::size_t maxBytes) {
    std::size_t units = 0;
    std::size_t bytes = 0;
    while (units < wide.size()) {
        const std::size_t step = IsHighSurrogate(wide[units]) && units + 1 < wide.size() ? 2 : 1;
        const int size = ToNarrow(wide.substr(units, step), nullptr, 0);
        if (size <= 0 || bytes + static_cast<std::size_t>(size) > maxBytes)
            break;
        bytes += static_cast<std::size_t>(size);
        units += step;
    }
    return units;
}

} // namespace

std::wstring WidenAnsi(std::string_view narrow) {
    if (narrow.empty())
        return {};
    if (narrow.size() > INT_MAX)
        return WidenByteByByte(narrow);
    const int bytes = static_cast<int>(narrow.size());
    const int units =
        MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, narrow.data(), bytes, nullptr, 0);
    if (units <= 0)
        return WidenByteByByte(narrow);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, narrow.data(), bytes, wide.data(), units);
    return wide;
}

std::string NarrowAnsi(std::wstring_view wide, std::size_t maxBytes) {
    // Every character takes at least one byte, and at most two units.
    if (wide.size() / 2 > maxBytes)
        wide = wide.substr(0, maxBytes * 2);
    if (wide.size() > INT_MAX / 4)
        wide = wide.substr(0, INT_MAX / 4);
    int total = ToNarrow(wide, nullptr, 0);
    if (total > 0 && static_cast<std::size_t>(total) > maxBytes) {
        wide = wide.substr(0, UnitsFitting(wide, maxBytes));
        total = ToNarrow(wide, nullptr, 0);
    }
    if (total <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(total), '\0');
    ToNarrow(wide, narrow.data(), total);
    return narrow;
}
