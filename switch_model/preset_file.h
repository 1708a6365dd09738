// The bytes of MarlwickIII.ini turned into preset items.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kMaxPresetItems = 32;
inline constexpr std::size_t kPresetItemLimit = 511;      // bytes kept of each item
inline constexpr std::size_t kPresetItemReadLimit = 4096; // bytes an item holds while it is read

// The file's next bytes; an empty piece is the end of the file.
using NextFileBytes = std::function<std::string_view()>;

// At most 32 items, each at most 511 bytes, in file order; narrow text as in the file. Pieces
// are asked for only while items remain to be read, so a file of any size and content gives a
// defined result in bounded memory.
std::vector<std::string> ReadPresetItems(const NextFileBytes& next);
