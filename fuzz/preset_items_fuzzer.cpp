// libFuzzer target: any bytes as MarlwickIII.ini, handed over in pieces of a size the first byte
// chooses. The reader must stay in bounds (ASan), free of undefined behaviour (UBSan), within its
// limits, and give the same items however the file is cut into pieces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "preset_file.h"

namespace {

std::vector<std::string> ReadInPieces(std::string_view bytes, std::size_t pieceSize) {
    return ReadPresetItems([&]() {
        const std::string_view piece = bytes.substr(0, pieceSize);
        bytes.remove_prefix(piece.size());
        return piece;
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const std::size_t pieceSize = data[0] % 16 + 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    const auto items = ReadInPieces(bytes, bytes.size() + 1);
    if (items.size() > kMaxPresetItems || ReadInPieces(bytes, pieceSize) != items)
        std::abort();
    for (const auto& item : items) {
        if (item.size() > kPresetItemLimit || item.find_first_of("\r\n\x1A") != item.npos)
            std::abort();
    }
    return 0;
}
