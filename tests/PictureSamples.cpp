#include "PictureSamples.h"

#include "sign/SignGeometry.h"

#include <QBuffer>
#include <QImageWriter>

#include <random>

namespace award {
namespace {

void AppendLittleEndian(QByteArray& bytes, int value) {
    bytes += char(value & 0xFF);
    bytes += char(value >> 8 & 0xFF);
}

// Codes packed from the lowest bit up, in blocks of at most 255 bytes.
QByteArray ImageData(const std::vector<bool>& white) {
    constexpr int kClear = 4;
    constexpr int kEnd = 5;
    std::vector<int> codes;
    for (std::size_t i = 0; i < white.size(); ++i) {
        if (i % 2 == 0) codes.push_back(kClear);
        codes.push_back(white[i] ? 1 : 0);
    }
    codes.push_back(kEnd);
    QByteArray packed;
    unsigned bits = 0;
    int count = 0;
    for (const int code : codes) {
        bits |= unsigned(code) << count;
        count += 3;
        while (count >= 8) {
            packed += char(bits & 0xFF);
            bits >>= 8;
            count -= 8;
        }
    }
    if (count > 0) packed += char(bits & 0xFF);
    QByteArray blocks(1, char(2));  // the least code size
    for (qsizetype at = 0; at < packed.size(); at += 255) {
        const QByteArray block = packed.mid(at, 255);
        blocks += char(block.size()) + block;
    }
    return blocks + char(0);
}

}  // namespace

ItemPicture PatternPicture(int columns, unsigned seed) {
    std::mt19937 random(seed);
    QImage image(columns, kSignRows, QImage::Format_ARGB32);
    for (int y = 0; y < kSignRows; ++y)
        for (int x = 0; x < columns; ++x) image.setPixel(x, y, random() % 2 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return {QStringLiteral("/pattern.png"), image};
}

QByteArray Encoded(const QImage& image, const char* format, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    return writer.write(image) ? bytes : QByteArray();
}

QByteArray TwoColourGif(int width, int height, const std::vector<std::vector<bool>>& whitePixels) {
    QByteArray gif("GIF89a");
    AppendLittleEndian(gif, width);
    AppendLittleEndian(gif, height);
    gif += char(0x80);  // a global table of two colours
    gif += QByteArray(2, '\0');
    gif += QByteArray::fromHex("000000ffffff");
    // Played over and over, as animated GIFs are.
    gif += QByteArray::fromHex("21ff0b") + "NETSCAPE2.0" + QByteArray::fromHex("0301000000");
    for (const auto& frame : whitePixels) {
        gif += QByteArray::fromHex("21f904040a000000");  // a tenth of a second each
        gif += char(0x2C);
        AppendLittleEndian(gif, 0);
        AppendLittleEndian(gif, 0);
        AppendLittleEndian(gif, width);
        AppendLittleEndian(gif, height);
        gif += char(0);
        gif += ImageData(frame);
    }
    return gif + char(0x3B);
}

}  // namespace award
