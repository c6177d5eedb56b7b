#pragma once

#include "picture/ItemPicture.h"

#include <QByteArray>
#include <QImage>

#include <cstdint>
#include <vector>

namespace award {

// Pictures the tests make themselves, in memory and as the files a teacher
// brings.

// A picture of the sign's height in black and white, a pattern drawn by a
// seeded generator, as the item holds it.
ItemPicture PatternPicture(int columns, unsigned seed);

// The image in the format Qt writes by that name ("png", "bmp", "jpg").
QByteArray Encoded(const QImage& image, const char* format, int quality = -1);

// A GIF of frames of two colours, index 0 black and 1 white, each pixel of
// each frame given row by row: Qt reads GIFs but writes none. Its image data
// is LZW without compression: a clear code before every second pixel keeps
// each code three bits wide.
QByteArray TwoColourGif(int width, int height, const std::vector<std::vector<bool>>& whitePixels);

}  // namespace award
