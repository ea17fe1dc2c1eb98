#include "Canvas.h"

#include "Latin1.h"

#include <QBrush>
#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QString>

#include "Bitmap.h"

namespace platform {

namespace {
QColor ToQColor(int colour) {
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}
} // namespace

Canvas::Canvas(QPainter& painter) : painter_(&painter) {}

void Canvas::CopySettings(const Canvas& other) {
    brushColour_ = other.brushColour_;
    brushPicture_ = other.brushPicture_;
    penColour_ = other.penColour_;
    penWidth_ = other.penWidth_;
    penStyle_ = other.penStyle_;
    fontSize_ = other.fontSize_;
    fontColour_ = other.fontColour_;
    textBackground_ = other.textBackground_;
    penX_ = other.penX_;
    penY_ = other.penY_;
}

void Canvas::SetBrushColor(int colour) {
    brushColour_ = colour & 0xFFFFFF;
    brushPicture_ = QImage();
}

void Canvas::SetBrushPicture(const Bitmap& picture) { brushPicture_ = picture.ToQImage(); }

void Canvas::ClearBrushPicture() { brushPicture_ = QImage(); }

void Canvas::SetPenColor(int colour) { penColour_ = colour & 0xFFFFFF; }

void Canvas::SetPenWidth(int width) { penWidth_ = width < 1 ? 1 : width; }

void Canvas::SetFontSize(int points) { fontSize_ = points < 1 ? 1 : points; }

// A bitmap's canvas opens a painter for each drawing call, so direct pixel stores between
// calls never meet an open painter.
template <class F> void Canvas::Paint(F&& draw) {
    if (painter_) {
        painter_->save();
        draw(*painter_);
        painter_->restore();
        return;
    }
    if (!bitmap_ || bitmap_->image_.isNull()) return;
    QPainter p(&bitmap_->image_);
    if (!p.isActive()) return;
    draw(p);
}

void Canvas::ApplyPen(QPainter& p) const {
    QPen pen(ToQColor(penColour_));
    pen.setWidth(penWidth_);
    pen.setStyle(penStyle_ == PenStyle::DashDotDot ? Qt::DashDotDotLine : Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
}

void Canvas::ApplyBrush(QPainter& p) const {
    if (!brushPicture_.isNull()) {
        p.setBrush(QBrush(brushPicture_));
        p.setBrushOrigin(0, 0);
    } else {
        p.setBrush(QBrush(ToQColor(brushColour_)));
    }
}

QFont Canvas::Font() const {
    QFont font;
    font.setPointSize(fontSize_);
    // Text is drawn the way the classic canvas drew it, without smoothing: the same text in
    // another colour drawn over it replaces it exactly, as the game's names are redrawn.
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QPaintDevice* Canvas::Device() const {
    if (painter_) return painter_->device();
    if (bitmap_ && !bitmap_->image_.isNull()) return &bitmap_->image_;
    return nullptr;
}

void Canvas::FillRect(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    Paint([&](QPainter& p) {
        p.setPen(Qt::NoPen);
        ApplyBrush(p);
        p.drawRect(left, top, right - left, bottom - top);
    });
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top) return;
    Paint([&](QPainter& p) {
        p.setPen(Qt::NoPen);
        ApplyBrush(p);
        p.drawRect(left, top, right - left, bottom - top);
        ApplyPen(p);
        p.setBrush(Qt::NoBrush);
        // The outline runs along the outermost pixels of the filled area.
        p.drawRect(left, top, right - left - 1, bottom - top - 1);
    });
}

void Canvas::MoveTo(int x, int y) {
    penX_ = x;
    penY_ = y;
}

void Canvas::LineTo(int x, int y) {
    const int fromX = penX_, fromY = penY_;
    Paint([&](QPainter& p) {
        ApplyPen(p);
        p.drawLine(fromX, fromY, x, y);
    });
    penX_ = x;
    penY_ = y;
}

void Canvas::TextOut(int x, int y, const std::string& text) {
    if (text.empty()) return;
    const QString s = Q(text);
    const QFont font = Font();
    Paint([&](QPainter& p) {
        p.setFont(font);
        const QFontMetrics metrics(font, p.device());
        if (textBackground_ == TextBackground::Opaque) {
            p.fillRect(x, y, metrics.horizontalAdvance(s), metrics.height(),
                       ToQColor(brushColour_));
        }
        p.setPen(ToQColor(fontColour_));
        p.drawText(x, y + metrics.ascent(), s);
    });
}

int Canvas::TextWidth(const std::string& text) {
    const QString s = Q(text);
    return QFontMetrics(Font(), Device()).horizontalAdvance(s);
}

void Canvas::Draw(int x, int y, const Bitmap& bitmap) {
    if (bitmap.Empty()) return;
    const QImage image = bitmap.ToQImage();
    Paint([&](QPainter& p) { p.drawImage(x, y, image); });
}

void Canvas::SetPixel(int x, int y, int colour) {
    if (bitmap_) {
        bitmap_->SetPixel(x, y, colour);
        return;
    }
    Paint([&](QPainter& p) {
        p.setPen(ToQColor(colour));
        p.drawPoint(x, y);
    });
}

} // namespace platform
