// The bytes of MarlwickIII.ini turned into preset items.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kMaxPresetItems = 32;
inline constexpr std::size_t kPresetItemLimit = 511;      // bytes kept of each item
inline constexpr std::size_t kPresetItemReadLimit = 4096; // bytes an item holds while it is read

// At most 32 items, each at most 511 bytes, in file order. Narrow text as in the file.
// Any bytes at all give a defined result.
std::vector<std::string> ReadPresetItems(std::string_view fileBytes);
