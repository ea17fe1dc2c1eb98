#include "Bitmap.h"

#include "ProgramFolder.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <filesystem>
#include <fstream>
#include <iterator>


namespace platform {

namespace {
// Blue, green, red in memory: the pixel layout of the renderer's scan lines.
constexpr QImage::Format kFormat = QImage::Format_BGR888;

QImage BlackImage(int width, int height) {
    if (width <= 0 || height <= 0) return QImage();
    QImage image(width, height, kFormat);
    if (!image.isNull()) image.fill(0);
    return image;
}
} // namespace

Bitmap::Bitmap() = default;

Bitmap::Bitmap(int width, int height) : image_(BlackImage(width, height)) {}

Bitmap::Bitmap(const Bitmap& other) : image_(other.image_) { canvas_.CopySettings(other.canvas_); }

Bitmap::Bitmap(Bitmap&& other) noexcept : image_(std::move(other.image_)) {
    other.image_ = QImage();
    canvas_.CopySettings(other.canvas_);
}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    if (this != &other) {
        image_ = other.image_;
        canvas_.CopySettings(other.canvas_);
    }
    return *this;
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    if (this != &other) {
        image_ = std::move(other.image_);
        other.image_ = QImage();
        canvas_.CopySettings(other.canvas_);
    }
    return *this;
}

Bitmap::~Bitmap() = default;

void Bitmap::SetSize(int width, int height) { image_ = BlackImage(width, height); }

std::uint8_t* Bitmap::ScanLine(int row) {
    if (row < 0 || row >= image_.height()) return nullptr;
    return image_.scanLine(row);  // detaches from any shared copy first
}

const std::uint8_t* Bitmap::ScanLine(int row) const {
    if (row < 0 || row >= image_.height()) return nullptr;
    return image_.constScanLine(row);
}

void Bitmap::SetPixel(int x, int y, int colour) {
    if (x < 0 || x >= image_.width() || y < 0 || y >= image_.height()) return;
    StorePixel(image_.scanLine(y), x, colour);
}

int Bitmap::Pixel(int x, int y) const {
    if (x < 0 || x >= image_.width() || y < 0 || y >= image_.height()) return -1;
    const std::uint8_t* p = image_.constScanLine(y) + 3 * x;
    return p[2] | (p[1] << 8) | (p[0] << 16);
}

Canvas& Bitmap::GetCanvas() { return canvas_; }

Bitmap Bitmap::FromQImage(const QImage& image) {
    Bitmap result;
    if (!image.isNull()) result.image_ = image.convertToFormat(kFormat);
    return result;
}

std::optional<Bitmap> LoadJpeg(const std::string& path) {
    // The file is opened through its file-system name, like every other file of the
    // program, and only then handed to Qt's JPEG reader.
    const std::string name = FileSystemName(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error)) return std::nullopt;
    std::string bytes;
    try {
        std::ifstream in(name, std::ios::binary);
        if (!in) return std::nullopt;
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (in.bad()) return std::nullopt;
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (bytes.empty()) return std::nullopt;
    QByteArray data(bytes.data(), static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "jpeg");
    reader.setAutoDetectImageFormat(false);  // a picture of another kind is refused
    QImage image = reader.read();
    if (image.isNull()) return std::nullopt;
    return Bitmap::FromQImage(image);
}

} // namespace platform
