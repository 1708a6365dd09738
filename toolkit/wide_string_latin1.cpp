// Natively there is no ANSI code page; each byte becomes the character of the same number.
#include "wide_string.h"

#include <string>

bool DynamicWideString::AppendNarrow(std::string_view narrow) {
    // As the ANSI conversion: nothing to measure, nothing appended.
    if (narrow.empty() || narrow.size() > kMaxCapacity / 2)
        return false;
    std::basic_string<WideUnit> wide;
    wide.reserve(narrow.size());
    for (const char c : narrow)
        wide.push_back(static_cast<WideUnit>(static_cast<unsigned char>(c)));
    return AppendBytes(wide.data(), static_cast<std::uint32_t>(wide.size() * 2));
}
