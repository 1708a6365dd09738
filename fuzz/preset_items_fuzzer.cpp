// libFuzzer target: any bytes as MarlwickIII.ini, handed over in pieces of a size the first byte
// chooses. The reader must stay in bounds (ASan), free of undefined behaviour (UBSan), within its
// limits, and give the same texts however the file is cut into pieces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "preset_file.h"

namespace {

std::vector<std::wstring> ReadInPieces(std::string_view bytes, std::size_t pieceSize) {
    const auto latin1 = [](std::string_view narrow) {
        return std::wstring(narrow.begin(), narrow.end());
    };
    return ReadPresetFile(
               [&]() {
                   const std::string_view piece = bytes.substr(0, pieceSize);
                   bytes.remove_prefix(piece.size());
                   return piece;
               },
               latin1)
        .presets;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t pieceSize = data[0] % 16 + 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto texts = ReadInPieces(bytes, bytes.size() + 1);
    if (texts.size() > kMaxPresetItems || ReadInPieces(bytes, pieceSize) != texts)
        std::abort();
    for (const auto& text : texts) {
        if (text.size() > kPresetItemLimit || text.find_first_of(L"\r\n\x1A") != text.npos)
            std::abort();
    }
    return 0;
}
