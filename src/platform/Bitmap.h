#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include <QImage>

#include "platform/Canvas.h"

// A 24-bit bitmap with scan-line access. Every pixel is three bytes in memory in the order
// blue, green, red, which is what the renderer's smooth filler writes straight into a scan
// line. Colours handed in and out are 0xBBGGRR ints (red in the low byte).
namespace platform {

class Bitmap {
public:
    Bitmap();
    // A black bitmap; sizes below zero count as zero.
    Bitmap(int width, int height);
    Bitmap(const Bitmap& other);
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(const Bitmap& other);
    Bitmap& operator=(Bitmap&& other) noexcept;
    ~Bitmap();

    // Replaces the contents with a black picture of the new size; the canvas settings stay.
    void SetSize(int width, int height);
    int Width() const { return image_.width(); }
    int Height() const { return image_.height(); }
    bool Empty() const { return image_.isNull(); }

    // The bytes of one row (3 per pixel, blue first), or nullptr for a row outside.
    std::uint8_t* ScanLine(int row);
    const std::uint8_t* ScanLine(int row) const;

    // Single-pixel write: a direct store into the row, ignored outside the bitmap.
    void SetPixel(int x, int y, int colour);
    // The pixel as 0xBBGGRR, or -1 outside the bitmap.
    int Pixel(int x, int y) const;

    // Stores a 0xBBGGRR colour at pixel x of a scan line.
    static void StorePixel(std::uint8_t* line, int x, int colour) {
        std::uint8_t* p = line + 3 * x;
        p[0] = static_cast<std::uint8_t>(colour >> 16);
        p[1] = static_cast<std::uint8_t>(colour >> 8);
        p[2] = static_cast<std::uint8_t>(colour);
    }

    // The canvas that draws into this bitmap.
    Canvas& GetCanvas();

    // The picture for drawing with QPainter or saving (a shared copy; later writes to the
    // bitmap do not change it).
    QImage ToQImage() const { return image_; }
    static Bitmap FromQImage(const QImage& image);

private:
    friend class Canvas;
    QImage image_;
    Canvas canvas_{this};
};

// Reads a JPEG picture from a file. Nothing when the file is missing, unreadable or not a
// JPEG picture.
std::optional<Bitmap> LoadJpeg(const std::string& path);

} // namespace platform
