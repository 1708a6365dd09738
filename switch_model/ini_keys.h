// The keys of WinFBE.ini's section Compiler that the utility writes, and values for them.
#pragma once

#include <array>
#include <cstddef>
#include <string>

enum class IniKey { CompilerSwitches, Compiler32, Compiler64 };
inline constexpr std::size_t kIniKeyCount = 3;

// The three values, indexed by their key.
using IniValues = std::array<std::wstring, kIniKeyCount>;

constexpr std::size_t IndexOf(IniKey key) {
    return static_cast<std::size_t>(key);
}

struct KeyValue {
    IniKey key;
    std::wstring value;
    friend bool operator==(const KeyValue&, const KeyValue&) = default;
};
