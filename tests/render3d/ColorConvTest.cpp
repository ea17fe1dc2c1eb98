#include <gtest/gtest.h>

#include "render3d/ColorConv.h"

using namespace render3d;

namespace {

TEST(ColorConv, PackSplitSwap) {
    EXPECT_EQ(PackColor(1, 2, 3), 0x030201);
    EXPECT_EQ(SwapRedBlue(static_cast<std::int32_t>(0xFF123456)), 0x563412);
    EXPECT_EQ(SwapRedBlue(0x0000FF), 0xFF0000);

    struct Case {
        std::int32_t value;
        ByteTriple bytes;
    };
    const std::vector<Case> cases = {
        {0x123456, {0x12, 0x34, 0x56}},
        {-1, {0, 0, 0xFF}},
        {-256, {0, 0, 0}},
        {0, {0, 0, 0}},
        {0x0000FF, {0, 0, 0xFF}},
        {0x01123456, {0x12, 0x34, 0x56}},  // 0x112 65536s: the count keeps its low byte
        {0x7FFFFFFF, {0xFF, 0xFF, 0xFF}},
    };
    for (const Case& c : cases) {
        const ByteTriple got = SplitColor(c.value);
        EXPECT_EQ(got, c.bytes) << std::hex << c.value;
    }
}

TEST(ColorConv, RGBToHSLFromTheDocumentedValues) {
    struct Case {
        std::int32_t value;  // red in bits 16-23
        HSLColor hsl;
    };
    const std::vector<Case> cases = {
        {0xFF0000, {0, 128, 256}},
        {0x0000FF, {170, 128, 256}},
        {0xFF00FF, {-43, 128, 256}},  // a negative hue is not wrapped
        {0xFFFFFF, {0, 255, 0}},       // greys take the grey path
        {0x808080, {0, 128, 0}},
        {0x000000, {0, 0, 0}},
        {0x00FF00, {85, 128, 256}},    // 2 * 42.6 = 85.2
    };
    for (const Case& c : cases) {
        const HSLColor got = RGBToHSL(c.value);
        EXPECT_EQ(got, c.hsl) << std::hex << c.value << std::dec << " gave " << got.Hue << ","
                              << got.Lightness << "," << got.Saturation;
    }
}

TEST(ColorConv, HSLToRGBFromTheDocumentedValues) {
    struct Case {
        HSLColor hsl;
        ByteTriple bgr;
    };
    const std::vector<Case> cases = {
        {{0, 128, 256}, {1, 1, 255}},    // back from pure red is not exactly 0 and 255
        {{0, 255, 0}, {255, 255, 255}},
        {{0, 300, 0}, {44, 44, 44}},     // grey: the low byte of the lightness, unscaled
        {{170, 128, 256}, {255, 1, 1}},  // blue comes out in byte 0
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HSLToRGB(c.hsl), c.bgr) << c.hsl.Hue << "," << c.hsl.Lightness << "," << c.hsl.Saturation;
    }
}

TEST(ColorConv, HSLToRGBNeverLeavesTheByteRangeUnsafely) {
    // Out-of-range inputs must still give bytes (low 8 bits), never undefined behaviour.
    const std::vector<HSLColor> odd = {{0, 2147483647, 256}, {-2147483647, 5, -2147483647}, {213, 205, 256}};
    for (const HSLColor& h : odd) (void)HSLToRGB(h);
    SUCCEED();
}

TEST(ColorConv, Max3Min3) {
    EXPECT_EQ(Max3(1, 3, 2), 3);
    EXPECT_EQ(Min3(1, -3, 2), -3);
}

} // namespace
