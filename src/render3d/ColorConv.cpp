#include "render3d/ColorConv.h"

#include "render3d/Failure.h"

namespace render3d {

using detail::RoundToInt64;

std::int32_t PackColor(std::int32_t a, std::int32_t b, std::int32_t c) {
    const std::uint32_t v = static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b) * 256u +
                            static_cast<std::uint32_t>(c) * 65536u;
    return static_cast<std::int32_t>(v);
}

ByteTriple SplitColor(std::int32_t value) {
    if (value < 0) return {0, 0, static_cast<std::uint8_t>(value & 0xFF)};
    return {static_cast<std::uint8_t>(value / 65536), static_cast<std::uint8_t>((value % 65536) / 256),
            static_cast<std::uint8_t>(value % 256)};
}

std::int32_t SwapRedBlue(std::int32_t value) {
    return PackColor((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

double Max3(double a, double b, double c) {
    double m = a;
    if (b > m) m = b;
    if (c > m) m = c;
    return m;
}

double Min3(double a, double b, double c) {
    double m = a;
    if (b < m) m = b;
    if (c < m) m = c;
    return m;
}

HSLColor RGBToHSL(std::int32_t value) {
    const double r = ((value >> 16) & 0xFF) / 256.0;
    const double g = ((value >> 8) & 0xFF) / 256.0;
    const double b = (value & 0xFF) / 256.0;
    const double max = Max3(r, g, b);
    const double min = Min3(r, g, b);
    const double l = (max + min) / 2;
    HSLColor hsl;
    if (max == min) {
        hsl.Lightness = static_cast<std::int32_t>(RoundToInt64(l * 256));
        return hsl;
    }
    const double d = max - min;
    const double s = l < 0.5 ? d / (max + min) : d / (2 - max - min);
    double h;
    if (r == max)
        h = (g - b) / d;
    else if (g == max)
        h = (b - r) / d + 2;
    else
        h = (r - g) / d + 4;
    hsl.Hue = static_cast<std::int32_t>(RoundToInt64(h * 42.6));
    hsl.Lightness = static_cast<std::int32_t>(RoundToInt64(l * 256));
    hsl.Saturation = static_cast<std::int32_t>(RoundToInt64(s * 256));
    return hsl;
}

namespace {
double Channel(double p, double q, double t) {
    if (t < 0) t += 1;
    if (t > 1) t -= 1;
    if (6 * t < 1) return p + (q - p) * 6 * t;
    if (2 * t < 1) return q;
    if (3 * t < 2) return p + (q - p) * (2.0 / 3.0 - t) * 6;
    return p;
}

std::uint8_t LowByte(double c) { return static_cast<std::uint8_t>(RoundToInt64(c * 255) & 0xFF); }
} // namespace

ByteTriple HSLToRGB(const HSLColor& hsl) {
    const double s = hsl.Saturation / 255.0;
    if (s == 0) {
        const auto v = static_cast<std::uint8_t>(hsl.Lightness & 0xFF);
        return {v, v, v};
    }
    const double l = hsl.Lightness / 255.0;
    const double q = l < 0.5 ? l * (1 + s) : l + s - l * s;
    const double p = 2 * l - q;
    const double h = hsl.Hue / 255.0;
    const double red = Channel(p, q, h + 1.0 / 3.0);
    const double green = Channel(p, q, h);
    const double blue = Channel(p, q, h - 1.0 / 3.0);
    return {LowByte(blue), LowByte(green), LowByte(red)};
}

} // namespace render3d
