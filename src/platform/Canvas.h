#pragma once
#include <string>

#include <QFont>
#include <QImage>

class QPainter;
class QPaintDevice;

// A drawing surface with a pen, a brush and a font, over QPainter. Colours are 0xBBGGRR
// ints (red in the low byte); strings are 8-bit Latin-1 text. Rectangles take left, top,
// right, bottom with the right column and bottom row left out. Text needs a
// QGuiApplication (fonts); everything else works without one.
namespace platform {

class Bitmap;

enum class PenStyle { Solid, DashDotDot };
enum class TextBackground { Transparent, Opaque };

class Canvas {
public:
    // Draws through a painter that the caller has opened (a widget's paint event, say).
    explicit Canvas(QPainter& painter);
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void SetBrushColor(int colour);               // a solid brush; drops the brush picture
    int BrushColor() const { return brushColour_; }
    void SetBrushPicture(const Bitmap& picture);  // tiled from the surface's origin
    void ClearBrushPicture();
    bool HasBrushPicture() const { return !brushPicture_.isNull(); }

    void SetPenColor(int colour);
    int PenColor() const { return penColour_; }
    void SetPenWidth(int width);
    int PenWidth() const { return penWidth_; }
    void SetPenStyle(PenStyle style) { penStyle_ = style; }
    PenStyle GetPenStyle() const { return penStyle_; }

    void SetFontSize(int points);
    int FontSize() const { return fontSize_; }
    void SetFontColor(int colour) { fontColour_ = colour & 0xFFFFFF; }
    int FontColor() const { return fontColour_; }
    // Opaque text sits on a box in the brush colour; transparent text leaves what is there.
    void SetTextBackground(TextBackground mode) { textBackground_ = mode; }
    TextBackground GetTextBackground() const { return textBackground_; }

    // Fills with the brush, no outline.
    void FillRect(int left, int top, int right, int bottom);
    // Fills with the brush and outlines with the pen.
    void Rectangle(int left, int top, int right, int bottom);
    void MoveTo(int x, int y);
    // A line with the pen from the current position up to, not including, (x, y), which
    // becomes the current position.
    void LineTo(int x, int y);
    // Text whose top-left corner is at (x, y), in the font colour.
    void TextOut(int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    // Draws a bitmap with its top-left corner at (x, y).
    void Draw(int x, int y, const Bitmap& bitmap);
    void SetPixel(int x, int y, int colour);

private:
    friend class Bitmap;
    explicit Canvas(Bitmap* target) : bitmap_(target) {}
    void CopySettings(const Canvas& other);
    template <class F> void Paint(F&& draw);
    void ApplyPen(QPainter& p) const;
    void ApplyBrush(QPainter& p) const;
    QFont Font() const;
    QPaintDevice* Device() const;

    QPainter* painter_ = nullptr;  // an outside painter, or
    Bitmap* bitmap_ = nullptr;     // the bitmap this canvas belongs to
    int brushColour_ = 0xFFFFFF;
    QImage brushPicture_;
    int penColour_ = 0;
    int penWidth_ = 1;
    PenStyle penStyle_ = PenStyle::Solid;
    int fontSize_ = 10;
    int fontColour_ = 0;
    TextBackground textBackground_ = TextBackground::Opaque;
    int penX_ = 0;
    int penY_ = 0;
};

} // namespace platform
