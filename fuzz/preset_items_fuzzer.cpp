// libFuzzer target: any bytes as MarlwickIII.ini. The reader must stay in bounds (ASan), free of
// undefined behaviour (UBSan) and within its limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "preset_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto items = ReadPresetItems(bytes);
    if (items.size() > kMaxPresetItems)
        std::abort();
    for (const auto& item : items) {
        if (item.size() > kPresetItemLimit || item.find_first_of("\r\n\x1A") != item.npos)
            std::abort();
    }
    return 0;
}
