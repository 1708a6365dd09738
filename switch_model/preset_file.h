// The bytes of MarlwickIII.ini turned into preset texts.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t kMaxPresetItems = 32;
inline constexpr std::size_t kPresetItemLimit = 511;      // characters kept of each item
inline constexpr std::size_t kPresetItemReadLimit = 4096; // units an item holds while it is read

// The file's next bytes; an empty piece is the end of the file.
using NextFileBytes = std::function<std::string_view()>;
// Narrow text of the user's ANSI code page, widened, and wide text narrowed; only the system
// knows the code page.
using AnsiWidening = std::wstring (*)(std::string_view);
using AnsiNarrowing = std::string (*)(std::wstring_view);

// How the file's text is encoded: by its byte-order mark; without one, UTF-8 when its items are
// valid UTF-8 and hold a character beyond ASCII, else the ANSI code page, as files were before
// editors saved UTF-8.
enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

struct PresetFileText {
    // In file order, at most 32, each at most 511 characters and ending before a NUL.
    std::vector<std::wstring> presets;
    TextEncoding encoding = TextEncoding::Ansi;
};

// How a text is written as an item that the reader gives back as that text: as it is, or in
// quotes when it holds a comma or begins with a blank or a quote; none when it cannot be, for a
// quote in a text that needs them or a line end.
std::optional<std::wstring> PresetItem(std::wstring_view text);

// The file's bytes with the text added as its new last preset, on a line of its own written as
// PresetItem has it: in the file's encoding and line ends (CR LF in a file without one), before
// a byte 0x1A that ends its text; as UTF-8 into a file of ASCII alone, where ANSI bytes could
// read as UTF-8. None when the file would not give back its presets and then the text, as for a
// character its code page lacks.
std::optional<std::string> WithPresetAppended(std::string_view bytes, std::wstring_view text,
                                              const AnsiWidening& widenAnsi,
                                              const AnsiNarrowing& narrowAnsi);

// Pieces are asked for only while items remain to be read, so a file of any size and content
// gives a defined result in bounded memory.
PresetFileText ReadPresetFile(const NextFileBytes& next, const AnsiWidening& widenAnsi);
