#include "position_record.h"

#include <cstddef>

namespace {

void PutLittleEndian(std::uint8_t* out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<std::uint8_t>(bits >> (8 * i));
}

std::int32_t GetLittleEndian(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        if (offset + i < bytes.size())
            bits |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return static_cast<std::int32_t>(bits);
}

} // namespace

std::array<std::uint8_t, 8> EncodePositionRecord(ScreenPoint point) {
    std::array<std::uint8_t, 8> record{};
    PutLittleEndian(record.data(), point.x);
    PutLittleEndian(record.data() + 4, point.y);
    return record;
}

ScreenPoint DecodePositionRecord(std::span<const std::uint8_t> bytes) {
    return {GetLittleEndian(bytes, 0), GetLittleEndian(bytes, 4)};
}
