#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "position_record.h"

namespace {

TEST(PositionRecord, LeftThenTopSigned32LittleEndian) {
    const struct {
        ScreenPoint point;
        std::array<std::uint8_t, 8> bytes;
    } cases[] = {
        {{100, 200}, {0x64, 0, 0, 0, 0xC8, 0, 0, 0}},
        {{-8, 0}, {0xF8, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0}},
        {{0x12345678, -2147483647 - 1}, {0x78, 0x56, 0x34, 0x12, 0, 0, 0, 0x80}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EncodePositionRecord(c.point), c.bytes)
            << "window closed at " << c.point.left << ", " << c.point.top;
        EXPECT_EQ(DecodePositionRecord(c.bytes), c.point);
    }
}

TEST(PositionRecord, ShortRecordReadsMissingBytesAsZero) {
    const struct {
        std::vector<std::uint8_t> bytes;
        ScreenPoint point;
    } cases[] = {
        {{}, {0, 0}},
        {{0xF8, 0xFF}, {0xFFF8, 0}},
        {{0x64, 0, 0, 0, 0xC8}, {100, 200}},
        {{0x64, 0, 0, 0, 0xC8, 0, 0, 0, 0xAA, 0xBB}, {100, 200}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DecodePositionRecord(c.bytes), c.point)
            << "position file of " << c.bytes.size() << " bytes";
}

} // namespace
