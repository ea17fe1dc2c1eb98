#include <gtest/gtest.h>

#include <QColor>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdlib>
#include <fstream>

#include "RenderFixtures.h"
#include "platform/Bitmap.h"
#include "platform/Canvas.h"

using platform::Bitmap;
using platform::Canvas;

namespace {

TEST(Bitmap, PixelsAreBlueGreenRedInMemory) {
    Bitmap b(4, 3);
    EXPECT_EQ(b.Width(), 4);
    EXPECT_EQ(b.Height(), 3);
    EXPECT_EQ(b.Pixel(3, 2), 0) << "a new bitmap is black";
    b.SetPixel(2, 1, 0x030201);  // red 1, green 2, blue 3
    const std::uint8_t* line = b.ScanLine(1);
    EXPECT_EQ(line[6], 3);
    EXPECT_EQ(line[7], 2);
    EXPECT_EQ(line[8], 1);
    EXPECT_EQ(b.Pixel(2, 1), 0x030201);
    EXPECT_EQ(b.ToQImage().pixelColor(2, 1), QColor(1, 2, 3));

    // A canvas fill in red lands as 00 00 FF in memory.
    b.GetCanvas().SetBrushColor(0x0000FF);
    b.GetCanvas().FillRect(0, 0, 1, 1);
    EXPECT_EQ(b.ScanLine(0)[0], 0);
    EXPECT_EQ(b.ScanLine(0)[1], 0);
    EXPECT_EQ(b.ScanLine(0)[2], 0xFF);
    EXPECT_EQ(b.ToQImage().pixelColor(0, 0), QColor(255, 0, 0));
    EXPECT_EQ(b.Pixel(1, 0), 0) << "right and bottom are left out";

    // Writes outside are ignored; reads outside give -1.
    b.SetPixel(-1, 0, 0xFFFFFF);
    b.SetPixel(4, 0, 0xFFFFFF);
    b.SetPixel(0, 3, 0xFFFFFF);
    EXPECT_EQ(b.Pixel(4, 0), -1);
    EXPECT_EQ(b.ScanLine(3), nullptr);
    EXPECT_EQ(b.ScanLine(-1), nullptr);
}

TEST(Bitmap, CopiesAreIndependentAndKeepTheCanvasSettings) {
    Bitmap a(3, 3);
    a.GetCanvas().SetBrushColor(0x112233);
    const QImage shown = a.ToQImage();
    Bitmap b = a;
    b.SetPixel(1, 1, 0xFFFFFF);
    EXPECT_EQ(a.Pixel(1, 1), 0);
    a.SetPixel(0, 0, 0x00FF00);
    EXPECT_EQ(shown.pixelColor(0, 0), QColor(0, 0, 0)) << "a picture taken earlier does not change";
    EXPECT_EQ(b.GetCanvas().BrushColor(), 0x112233);

    Bitmap moved = std::move(b);
    EXPECT_EQ(moved.Pixel(1, 1), 0xFFFFFF);
    moved.GetCanvas().FillRect(0, 0, 3, 3);
    EXPECT_EQ(moved.Pixel(2, 2), 0x112233) << "the moved bitmap's canvas draws into it";

    Bitmap resized = a;
    resized.SetSize(5, 2);
    EXPECT_EQ(resized.Width(), 5);
    EXPECT_EQ(resized.Pixel(0, 0), 0);
    EXPECT_EQ(resized.GetCanvas().BrushColor(), 0x112233);
    Bitmap none(-3, 4);
    EXPECT_TRUE(none.Empty());
    none.GetCanvas().FillRect(0, 0, 5, 5);  // harmless
}

// Runs of drawn pixels along row y.
std::vector<int> Runs(const Bitmap& b, int y, int colour) {
    std::vector<int> runs;
    int run = 0;
    for (int x = 0; x < b.Width(); ++x) {
        if (b.Pixel(x, y) == colour) {
            ++run;
        } else if (run) {
            runs.push_back(run);
            run = 0;
        }
    }
    if (run) runs.push_back(run);
    return runs;
}

TEST(Canvas, SolidAndDashDotDotPens) {
    Bitmap b(80, 3);
    Canvas& c = b.GetCanvas();
    c.SetPenColor(0xFFFFFF);
    c.MoveTo(0, 1);
    c.LineTo(79, 1);
    EXPECT_EQ(Runs(b, 1, 0xFFFFFF), std::vector<int>{79}) << "the end point is left out";

    c.SetPenStyle(platform::PenStyle::DashDotDot);
    c.SetPenColor(0x0000FF);
    c.MoveTo(0, 0);
    c.LineTo(79, 0);
    const std::vector<int> runs = Runs(b, 0, 0x0000FF);
    ASSERT_GE(runs.size(), 6u);
    // dash, dot, dot, dash, dot, dot ...
    for (std::size_t i = 0; i + 2 < runs.size() - 1; i += 3) {
        EXPECT_GT(runs[i], runs[i + 1]) << i;
        EXPECT_EQ(runs[i + 1], runs[i + 2]) << i;
    }
    EXPECT_EQ(b.Pixel(0, 2), 0) << "one pixel wide";
}

TEST(Canvas, RectangleFillsWithTheBrushAndOutlinesWithThePen) {
    Bitmap b(8, 8);
    Canvas& c = b.GetCanvas();
    c.SetBrushColor(0x00FF00);
    c.SetPenColor(0xFF0000);
    c.Rectangle(1, 1, 6, 5);
    EXPECT_EQ(b.Pixel(1, 1), 0xFF0000);
    EXPECT_EQ(b.Pixel(5, 4), 0xFF0000);
    EXPECT_EQ(b.Pixel(3, 2), 0x00FF00);
    EXPECT_EQ(b.Pixel(6, 3), 0);
    EXPECT_EQ(b.Pixel(3, 5), 0);
}

TEST(Canvas, TiledBrushRepeatsThePictureFromTheOrigin) {
    Bitmap tile(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) tile.SetPixel(x, y, (x * 80) | ((y * 120) << 8) | 0x400000);
    Bitmap b(11, 5);
    b.GetCanvas().SetBrushPicture(tile);
    EXPECT_TRUE(b.GetCanvas().HasBrushPicture());
    b.GetCanvas().FillRect(2, 1, 11, 5);
    for (int y = 1; y < 5; ++y)
        for (int x = 2; x < 11; ++x) ASSERT_EQ(b.Pixel(x, y), tile.Pixel(x % 3, y % 2)) << x << "," << y;
    EXPECT_EQ(b.Pixel(1, 1), 0);
    b.GetCanvas().SetBrushColor(0x0A0B0C);
    EXPECT_FALSE(b.GetCanvas().HasBrushPicture()) << "a brush colour replaces the picture";
}

TEST(Canvas, DrawPlacesABitmapAtAPoint) {
    Bitmap small(2, 2);
    small.SetPixel(0, 0, 0x0000FF);
    small.SetPixel(1, 1, 0x00FF00);
    Bitmap b(5, 5);
    b.GetCanvas().Draw(2, 1, small);
    EXPECT_EQ(b.Pixel(2, 1), 0x0000FF);
    EXPECT_EQ(b.Pixel(3, 2), 0x00FF00);
    EXPECT_EQ(b.Pixel(1, 1), 0);

    // A canvas over an outside painter draws the same way.
    QImage image(5, 5, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        Canvas c(painter);
        c.SetBrushColor(0xFF0000);
        c.FillRect(0, 0, 2, 2);
        c.Draw(3, 3, small);
    }
    EXPECT_EQ(image.pixelColor(1, 1), QColor(0, 0, 255));
    EXPECT_EQ(image.pixelColor(3, 3), QColor(255, 0, 0));
}

TEST(Canvas, TextWidthBackgroundAndColour) {
    EnsureGuiApplication();
    Bitmap b(200, 60);
    Canvas& c = b.GetCanvas();
    c.SetFontSize(6);
    const int small = c.TextWidth("Morvatel");
    c.SetFontSize(20);
    const int large = c.TextWidth("Morvatel");
    EXPECT_GT(small, 0);
    EXPECT_GT(large, small);
    EXPECT_EQ(c.TextWidth(""), 0);

    c.SetFontSize(10);
    c.SetBrushColor(0x00FF00);
    c.SetFontColor(0xFFFFFF);
    c.SetTextBackground(platform::TextBackground::Opaque);
    c.TextOut(2, 2, "Wy\xE9");  // Latin-1 text
    EXPECT_EQ(b.Pixel(2, 2), 0x00FF00) << "opaque text sits on a box in the brush colour";
    bool white = false;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 60; ++x) white |= b.Pixel(x, y) == 0xFFFFFF;
    EXPECT_TRUE(white) << "the glyphs are drawn in the font colour";

    c.SetTextBackground(platform::TextBackground::Transparent);
    c.TextOut(100, 2, "Wy");
    EXPECT_EQ(b.Pixel(100, 2), 0) << "transparent text leaves the background";
}

class PictureFiles : public ::testing::Test {
protected:
    std::string Path(const char* name) const { return QDir(dir.path()).filePath(name).toStdString(); }
    QTemporaryDir dir;
};

TEST_F(PictureFiles, LoadJpegReadsJpegsAndRefusesEverythingElse) {
    const std::string jpg = Path("red.jpg");
    const std::string command = "convert -size 6x4 xc:'#ff0000' '" + jpg + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) {
        // ImageMagick missing: make the file with Qt's own writer instead.
        QImage red(6, 4, QImage::Format_RGB32);
        red.fill(QColor(255, 0, 0));
        ASSERT_TRUE(red.save(QString::fromStdString(jpg), "JPEG"));
    }
    const auto loaded = platform::LoadJpeg(jpg);
    ASSERT_TRUE(loaded.has_value());
    EXPECT_EQ(loaded->Width(), 6);
    EXPECT_EQ(loaded->Height(), 4);
    const int p = loaded->Pixel(3, 2);
    EXPECT_GT(p & 0xFF, 0xE0) << std::hex << p;
    EXPECT_LT((p >> 8) & 0xFF, 0x20);
    EXPECT_LT((p >> 16) & 0xFF, 0x20);

    QImage png(3, 3, QImage::Format_RGB32);
    png.fill(Qt::blue);
    const std::string pngPath = Path("picture.jpg");  // a PNG under a JPEG name
    ASSERT_TRUE(png.save(QString::fromStdString(pngPath), "PNG"));
    EXPECT_FALSE(platform::LoadJpeg(pngPath).has_value());

    const std::string garbage = Path("garbage.jpg");
    std::ofstream(garbage) << "not a picture at all";
    EXPECT_FALSE(platform::LoadJpeg(garbage).has_value());
    EXPECT_FALSE(platform::LoadJpeg(Path("missing.jpg")).has_value());
    EXPECT_FALSE(platform::LoadJpeg(dir.path().toStdString()).has_value()) << "a folder";

    // A truncated JPEG is not a picture either.
    std::ifstream in(jpg, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::string cut = Path("cut.jpg");
    std::ofstream(cut, std::ios::binary) << bytes.substr(0, 20);
    EXPECT_FALSE(platform::LoadJpeg(cut).has_value());
}

} // namespace
