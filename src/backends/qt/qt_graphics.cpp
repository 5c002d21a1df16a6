// SPDX-License-Identifier: MIT
#include "backends/qt/qt_graphics.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImageReader>
#include <QTextBoundaryFinder>
#include <cstring>
#include <string_view>

#include "backends/qt/qt_canvas.h"
#include "backends/qt/qt_colors.h"
#include "backends/qt/qt_picture.h"
#include "backends/qt/qt_surface.h"

namespace xmascard {

namespace {

// The image format that a file's first bytes name, or null.
const char* imageFormatOf(std::span<const std::uint8_t> bytes) {
    struct Signature {
        std::string_view magic;
        const char* format;
    };
    static constexpr Signature kSignatures[] = {
        {"GIF8", "gif"},
        {"\xFF\xD8\xFF", "jpeg"},
        {"BM", "bmp"},
        {"\x89PNG\r\n\x1A\n", "png"},
        {std::string_view("\0\0\1\0", 4), "ico"},
    };
    const std::string_view start(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (const Signature& s : kSignatures)
        if (start.starts_with(s.magic)) return s.format;
    return nullptr;
}

}  // namespace

QImage decodeImage(std::span<const std::uint8_t> bytes, std::string& why) {
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<qsizetype>(bytes.size()));
    QBuffer buffer(&data);
    const char* format = imageFormatOf(bytes);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(format == nullptr);
    QImage image = reader.read();
    if (image.isNull()) why = reader.errorString().toStdString();
    return image;
}

Picture QtGraphics::decode(std::span<const std::uint8_t> bytes, std::string& why) {
    QImage image = decodeImage(bytes, why);
    if (image.isNull()) return {};
    return xmascard::makePicture(std::move(image));
}

Picture QtGraphics::makePicture(int width, int height, std::span<const std::uint32_t> pixels) {
    if (width <= 0 || height <= 0 || pixels.size() < static_cast<std::size_t>(width) * height)
        return {};
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        std::memcpy(image.scanLine(y), pixels.data() + static_cast<std::size_t>(y) * width,
                    static_cast<std::size_t>(width) * sizeof(std::uint32_t));
    return xmascard::makePicture(std::move(image));
}

std::unique_ptr<Surface> QtGraphics::makeSurface() { return std::make_unique<QtSurface>(); }

std::unique_ptr<Image> QtGraphics::makeImage(int width, int height, Color fill) {
    return std::make_unique<QtImage>(width, height, toQColor(fill));
}

std::vector<std::uint8_t> QtGraphics::encodePng(Image& image, int effort) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    if (!static_cast<QtImage&>(image).image().save(&buffer, "PNG", effort)) return {};
    return {png.begin(), png.end()};
}

float QtGraphics::textWidth(const std::string& text, const Font& font) {
    const QFontMetricsF metrics(toQFont(font));
    return static_cast<float>(metrics.horizontalAdvance(QString::fromStdString(text)));
}

std::vector<std::size_t> QtGraphics::characterEnds(const std::string& text) {
    const QString utf16 = QString::fromStdString(text);
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, utf16);
    std::vector<std::size_t> ends;
    qsizetype from = 0;
    std::size_t bytes = 0;
    for (qsizetype to = finder.toNextBoundary(); to > 0; to = finder.toNextBoundary()) {
        bytes +=
            static_cast<std::size_t>(QStringView(utf16).sliced(from, to - from).toUtf8().size());
        ends.push_back(bytes);
        from = to;
    }
    return ends;
}

}  // namespace xmascard
