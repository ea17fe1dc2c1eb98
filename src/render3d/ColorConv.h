#pragma once
#include <array>
#include <cstdint>

// Integer colour packing and the conversions between packed colours and hue, lightness,
// saturation. The two conversions use different scales on purpose: RGBToHSL divides the
// bytes by 256, HSLToRGB works on the 0..255 scale.
namespace render3d {

struct HSLColor {
    std::int32_t Hue = 0;
    std::int32_t Lightness = 0;
    std::int32_t Saturation = 0;
    bool operator==(const HSLColor&) const = default;
};

// Three bytes in memory order.
using ByteTriple = std::array<std::uint8_t, 3>;

// a + b*256 + c*65536 (wrapping like 32-bit integer arithmetic).
std::int32_t PackColor(std::int32_t a, std::int32_t b, std::int32_t c);
// [0] = count of 65536s (within a byte), [1] = count of 256s in the rest, [2] = the rest.
// A negative value gives [0, 0, its low byte].
ByteTriple SplitColor(std::int32_t value);
// Exchanges the low and high bytes and drops bits 24 to 31.
std::int32_t SwapRedBlue(std::int32_t value);
// From a colour with red in bits 16-23 and blue in bits 0-7.
HSLColor RGBToHSL(std::int32_t value);
// To bytes in the order blue, green, red (the byte order of a 24-bit pixel).
ByteTriple HSLToRGB(const HSLColor& hsl);

double Max3(double a, double b, double c);
double Min3(double a, double b, double c);

} // namespace render3d
