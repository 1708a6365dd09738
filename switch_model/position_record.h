// The 8-byte window position file: left (x) and top (y), signed 32-bit little-endian.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "screen_geometry.h"

std::array<std::uint8_t, 8> EncodePositionRecord(ScreenPoint point);
// A short record reads its missing bytes as 0.
ScreenPoint DecodePositionRecord(std::span<const std::uint8_t> bytes);
