#include "presets.h"

#include <array>
#include <cstdint>

namespace {

constexpr std::array<std::string_view, kSwitchPrefixRows> kPrefixes = {
    "-asm att -w all -fpmode fast -fpu sse -arch native ",
    "-asm att -s console -w all -fpmode fast -fpu sse -arch native ",
    "-asm att -exx -w all -fpmode fast -fpu sse -arch native ",
    "-asm att -s console -exx -w all -fpmode fast -fpu sse -arch native ",
    "-w all -fpmode fast -fpu sse ",
    "-s console -w all -fpmode fast -fpu sse ",
    "-exx -w all -fpmode fast -fpu sse ",
    "-s console -exx -w all -fpmode fast -fpu sse ",
};

// The prefixes are ASCII, so widening is a plain copy of each byte.
std::wstring Widen(std::string_view ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

} // namespace

std::string_view SwitchPrefixTable(int row) {
    if (row < 0 || row >= kSwitchPrefixRows)
        return {};
    return kPrefixes[static_cast<std::size_t>(row)];
}

std::string_view SwitchPrefix(bool clangPreset, bool console, bool exx) {
    const int row = (clangPreset ? 0 : 4) + (console ? 1 : 0) + (exx ? 2 : 0);
    return SwitchPrefixTable(row);
}

bool IsClangPreset(std::wstring_view presetText) {
    return presetText.find(L"clang") != std::wstring_view::npos;
}

std::wstring ComposeSwitches(std::wstring_view presetText, bool console, bool exx) {
    std::wstring composed = Widen(SwitchPrefix(IsClangPreset(presetText), console, exx));
    composed.append(presetText);
    return composed;
}

std::optional<int> FindPresetForSwitches(std::wstring_view storedValue,
                                         const std::vector<std::wstring>& presets,
                                         CodePageTrip codePage) {
    for (std::size_t index = 0; index < presets.size(); ++index) {
        for (int row = 0; row < kSwitchPrefixRows; ++row) {
            if (codePage(AsReadBack(Widen(SwitchPrefixTable(row)) + presets[index]), SIZE_MAX) ==
                storedValue)
                return static_cast<int>(index) + 1;
        }
    }
    return std::nullopt;
}

std::optional<std::wstring> PresetTextFor(std::wstring_view stored, bool console, bool exx) {
    for (const bool clang : {true, false}) {
        const std::wstring prefix = Widen(SwitchPrefix(clang, console, exx));
        if (!stored.starts_with(prefix))
            continue;
        std::wstring text(stored.substr(prefix.size()));
        if (IsClangPreset(text) == clang)
            return text;
    }
    return std::nullopt;
}

std::wstring OptionTipText(int optionNumber, const std::vector<std::wstring>& presets, bool console,
                           bool exx, std::wstring_view stored) {
    if (optionNumber < 1 || optionNumber > static_cast<int>(presets.size()))
        return std::wstring(stored);
    return ComposeSwitches(presets[static_cast<std::size_t>(optionNumber) - 1], console, exx);
}
