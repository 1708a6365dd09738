// The narrow-to-wide step of DynamicWideString through the user's ANSI code page.
#include "wide_string.h"

#include <windows.h>

#include <climits>
#include <cstdlib>
#include <memory>

namespace {
struct FreeUnits {
    void operator()(wchar_t* p) const noexcept { std::free(p); }
};
} // namespace

bool DynamicWideString::AppendNarrow(std::string_view narrow) {
    if (narrow.size() > INT_MAX || narrow.size() > kMaxCapacity / 2)
        return false;
    const int bytes = static_cast<int>(narrow.size());
    // A UTF-8 code page refuses MB_PRECOMPOSED and would convert nothing.
    const DWORD flags = GetACP() == CP_UTF8 ? 0 : MB_PRECOMPOSED;
    const int units = MultiByteToWideChar(CP_ACP, flags, narrow.data(), bytes, nullptr, 0);
    if (units <= 0)
        return false;
    std::unique_ptr<wchar_t, FreeUnits> converted(
        static_cast<wchar_t*>(std::malloc(static_cast<std::size_t>(units) * 2)));
    if (!converted)
        return false;
    MultiByteToWideChar(CP_ACP, flags, narrow.data(), bytes, converted.get(), units);
    return AppendBytes(converted.get(), static_cast<std::uint32_t>(units) * 2);
}
