// The 8-byte window position file: left and top, signed 32-bit little-endian.
#pragma once

#include <array>
#include <cstdint>
#include <span>

struct ScreenPoint {
    std::int32_t left = 0;
    std::int32_t top = 0;
    friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

std::array<std::uint8_t, 8> EncodePositionRecord(ScreenPoint point);
// A short record reads its missing bytes as 0.
ScreenPoint DecodePositionRecord(std::span<const std::uint8_t> bytes);
